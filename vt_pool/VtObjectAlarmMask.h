#pragma once
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReference.h"
#include "vt_pool/model/VtColour.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <cstdint>

// An Alarm Mask (type 2): a screen shown over the others for an alarm.
class VtObjectAlarmMask : public VtObject {
public:
    explicit VtObjectAlarmMask(uint16_t oid);

    uint16_t getSoftKeyMask() const { return soft_key_mask.get(); }
    VtObjectRefList& getChilds() { return childs; }
    void setSoftKeyMask(uint16_t oid) { soft_key_mask.set(oid); }
    void setPriority(uint8_t priority) { this->priority = priority; }

private:
    void walk(VtFieldWalker& fields) override;
    VtAttributeTable attributes() const override;

    VtColour background_colour;
    VtReference soft_key_mask{*this};
    uint8_t priority = 0;
    uint8_t acoustic_signal = 0;
    VtObjectRefList childs;
};
