#include "vt_pool/VtSystemInterface.h"

VtSystemInterface::VtSystemInterface()
{
    enableFontSize(0);
    enableFontSize(1);
}

VtSystemInterface::SoftKeys VtSystemInterface::softKeys()
{
    return {physical_soft_keys, virtual_soft_keys, descriptor_width, descriptor_height};
}

VtSystemInterface::Hardware VtSystemInterface::hardware()
{
    return {2, 15, data_mask_width, data_mask_height};
}

VtSystemInterface::Fonts VtSystemInterface::fonts()
{
    return {small_font_bits, large_font_bits, 251};
}

int VtSystemInterface::versionLabel(uint32_t, std::string&)
{
    return 1;
}

int VtSystemInterface::loadVersion(const std::string&, VtReader&)
{
    return 1;
}

int VtSystemInterface::storeVersion(const std::string&, const VtWriter&)
{
    return 1;
}

int VtSystemInterface::deleteVersion(const std::string&)
{
    return 1;
}

int VtSystemInterface::audioSignal(uint8_t, uint16_t, uint16_t, uint16_t)
{
    return 0;
}

int VtSystemInterface::setVolume(uint8_t)
{
    return 0;
}

void VtSystemInterface::enableFontSize(unsigned size)
{
    if (size < 8)
        small_font_bits = uint8_t(small_font_bits | 1u << size);
    else if (size < 15)
        large_font_bits = uint8_t(large_font_bits | 1u << (size - 8));
}
