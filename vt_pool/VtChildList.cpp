#include "vt_pool/VtChildList.h"
#include "vt_pool/VtObjectAlarmMask.h"
#include "vt_pool/VtObjectButton.h"
#include "vt_pool/VtObjectContainer.h"
#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtObjectKey.h"
#include "vt_pool/VtObjectWorkingSet.h"

VtObjectRefList* childListOf(VtObject& object)
{
    switch (object.getType()) {
    case 0:
        return &static_cast<VtObjectWorkingSet&>(object).getChilds();
    case 1:
        return &static_cast<VtObjectDataMask&>(object).getChilds();
    case 2:
        return &static_cast<VtObjectAlarmMask&>(object).getChilds();
    case 3:
        return &static_cast<VtObjectContainer&>(object).getChilds();
    case 5:
        return &static_cast<VtObjectKey&>(object).getChilds();
    case 6:
        return &static_cast<VtObjectButton&>(object).getChilds();
    default:
        return nullptr;
    }
}
