#pragma once
#include <cstdint>
#include <string>

class VtReader;
class VtWriter;

// The VT's own properties, its clock and its version store. The defaults
// describe a VT of version 2 with a 200 x 200 data mask, eight physical and
// eight virtual soft keys of 60 x 32 and the font sizes 0 and 1, that stores
// no versions.
class VtSystemInterface {
public:
    struct SoftKeys {
        uint8_t physical;
        uint8_t virtual_keys;
        uint8_t descriptor_width;
        uint8_t descriptor_height;
    };
    struct Hardware {
        uint8_t graphic_type;
        uint8_t hardware_bits;
        uint16_t data_mask_width;
        uint16_t data_mask_height;
    };
    struct Fonts {
        uint8_t small_font_bits;
        uint8_t large_font_bits;
        uint8_t type_attributes;
    };

    VtSystemInterface();
    virtual ~VtSystemInterface() = default;

    // Milliseconds of a steady clock.
    virtual uint32_t currentTime() { return 0; }
    virtual uint64_t availableMemory() { return 268435456; }
    virtual uint8_t vtVersion() { return 2; }
    virtual SoftKeys softKeys();
    virtual Hardware hardware();
    virtual Fonts fonts();
    virtual uint32_t storedVersionCount() { return 0; }
    // The operations on stored versions: 0 done, 1 failed.
    virtual int versionLabel(uint32_t index, std::string& label);
    virtual int loadVersion(const std::string& label, VtReader& reader);
    virtual int storeVersion(const std::string& label, const VtWriter& pool);
    virtual int deleteVersion(const std::string& label);
    // 10: the VT cannot sound it.
    virtual int audioSignal(uint8_t repetitions, uint16_t frequency_hz, uint16_t on_ms, uint16_t off_ms);
    virtual int setVolume(uint8_t volume);

    // Font sizes 0 to 14 (the font size codes); others are ignored.
    void enableFontSize(unsigned size);

private:
    uint16_t data_mask_width = 200;
    uint16_t data_mask_height = 200;
    uint8_t descriptor_width = 60;
    uint8_t descriptor_height = 32;
    uint8_t physical_soft_keys = 8;
    uint8_t virtual_soft_keys = 8;
    uint8_t small_font_bits = 0;
    uint8_t large_font_bits = 0;
};
