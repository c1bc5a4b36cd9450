#include "vt_pool/model/VtDisplayElementCommands.h"
#include "vt_pool/VtDisplayElement.h"
#include "vt_pool/VtDisplayInterface.h"

int VtDisplayElementCommandHide::apply(VtDisplayElement& element)
{
    element.hide();
    return 0;
}

int VtDisplayElementCommandShow::apply(VtDisplayElement& element)
{
    element.show();
    return 0;
}

int VtDisplayElementCommandEnable::apply(VtDisplayElement& element)
{
    element.enable();
    return 0;
}

int VtDisplayElementCommandDisable::apply(VtDisplayElement& element)
{
    element.disable();
    return 0;
}

int VtDisplayElementCommandChangeSize::apply(VtDisplayElement& element)
{
    element.resize(width, height);
    return 0;
}

int VtDisplayElementCommandCloseChildsWithSelectedParent::apply(VtDisplayElement& element)
{
    if (element.getParentOid() == parent_oid)
        element.close();
    return 0;
}

int VtDisplayElementCommandCreateNewChilds::apply(VtDisplayElement& element)
{
    VtDisplayElement* parent = element.getParent();
    if (parent && parent->getObject())
        display.createElement(parent->getObject(), parent->getParent(), 0, 0, parent->getTag());
    return 0;
}

int VtDisplayElementCommandChangeChildLocation::apply(VtDisplayElement& element)
{
    if (element.getParentOid() == parent_oid)
        element.moveBy(dx, dy);
    return 0;
}

int VtDisplayElementCommandSetPosition::apply(VtDisplayElement& element)
{
    if (element.getParentOid() == parent_oid)
        element.setPosition(x, y);
    return 0;
}
