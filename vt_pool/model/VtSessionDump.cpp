#include "vt_pool/model/VtSessionDump.h"
#include "vt_pool/VtChildList.h"
#include "vt_pool/VtDisplayInterface.h"
#include "vt_pool/VtObjectArchedBarGraph.h"
#include "vt_pool/VtObjectContainer.h"
#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtObjectEllipse.h"
#include "vt_pool/VtObjectInputFieldList.h"
#include "vt_pool/VtObjectInputFieldNumber.h"
#include "vt_pool/VtObjectLine.h"
#include "vt_pool/VtObjectLinearBarGraph.h"
#include "vt_pool/VtObjectMeter.h"
#include "vt_pool/VtObjectOutputFieldNumber.h"
#include "vt_pool/VtObjectOutputFieldString.h"
#include "vt_pool/VtObjectPictureGraphic.h"
#include "vt_pool/VtObjectPointer.h"
#include "vt_pool/VtObjectPolygon.h"
#include "vt_pool/VtObjectRectangle.h"
#include "vt_pool/VtObjectSoftKeyMask.h"
#include "vt_pool/VtSession.h"
#include "vt_pool/model/VtLogger.h"
#include "vt_pool/model/VtObjectList.h"
#include "vt_pool/model/VtObjectRefList.h"

namespace {

// Deeper than any tree a working set draws: a peer's chain of containers
// stops here instead of at the end of the stack.
constexpr unsigned max_indentation = 256;

}

VtSessionDump::VtSessionDump(const VtSession& session, VtLogger& logger)
    : session(session), logger(logger), written(VtSession::table_size)
{
}

void VtSessionDump::dump()
{
    const VtDisplayInterface* display = session.getDisplay();
    VtObject* mask = session.findObject(display ? display->getActiveMaskOid() : 0xFFFF);
    VtObject* keys = session.findObject(display ? display->getActiveSoftKeyMaskOid() : 0xFFFF);
    if (!mask && !keys) {
        for (uint32_t oid = 0; oid < VtSession::table_size; ++oid)
            dumpTree(session.findObject(uint16_t(oid)));
        return;
    }
    logger.message("%s", "");
    logger.message("CURRENT MASK");
    dumpTree(mask);
    logger.message("CURRENT MASK -- END");
    logger.message("%s", "");
    logger.message("CURRENT SOFTKEYMASK");
    dumpTree(keys);
    logger.message("CURRENT SOFTKEYMASK -- END");
    logger.message("%s", "");
}

void VtSessionDump::dumpTree(VtObject* object)
{
    for (uint16_t oid : written_ids)
        written[oid] = false;
    written_ids.clear();
    dumpObject(object, 0);
}

void VtSessionDump::dumpObject(VtObject* object, unsigned indentation)
{
    // A pointer to a pointer goes on in this loop rather than deeper.
    while (object) {
        if (written[object->getOid()]) {
            logger.printIndented(indentation, "OID=%d, written above\n", object->getOid());
            return;
        }
        if (indentation > max_indentation) {
            logger.printIndented(indentation, "OID=%d, nested too deep\n", object->getOid());
            return;
        }
        written[object->getOid()] = true;
        written_ids.push_back(object->getOid());
        VtObject& shown = *object;
        logger.printIndented(indentation, "OID=%d, type=%2d (%s), macros=%d\n", shown.getOid(), shown.getType(),
                             VtObject::getTypeName(shown.getType()), shown.getMacroCount());
        if (shown.getType() != 27) {
            dumpBody(shown, indentation);
            return;
        }
        const uint16_t value = static_cast<VtObjectPointer&>(shown).getValue();
        logger.printIndented(indentation, "->=%d\n", value);
        object = session.findObject(value);
        indentation += 2;
    }
}

void VtSessionDump::dumpBody(VtObject& object, unsigned i)
{
    switch (object.getType()) {
    case 1:
        logger.printIndented(i, "SKM/oid=%d\n", static_cast<VtObjectDataMask&>(object).getSoftKeyMask());
        break;
    case 3: {
        const auto& container = static_cast<VtObjectContainer&>(object);
        logger.printIndented(i, "width=%d, height=%d, hidden=%d\n", container.getWidth(), container.getHeight(),
                             container.getHidden());
        break;
    }
    case 4:
        dumpObjectList(static_cast<VtObjectSoftKeyMask&>(object).getChilds(), i + 2);
        return;
    case 9: {
        const auto& number = static_cast<VtObjectInputFieldNumber&>(object);
        logger.printIndented(i, "size=(%d / %d), enabled=%d, format=%d, options=%d\n", number.getWidth(),
                             number.getHeight(), number.getEnabled(), number.getFormat(), number.getOptions());
        logger.printIndented(i, "value=%d, min=%u, max=%u, offset=%d, scale=%lf, nd=%d\n", number.getValue(),
                             number.getMinValue(), number.getMaxValue(), number.getOffset(), number.getScale(),
                             number.getNumberOfDecimals());
        logger.printIndented(i, "fa=%d, vref=%d\n", number.getFontAttributes(), number.getVariableReference());
        logger.printIndented(i, "hjust=%d\n", number.getHorizontalJustification());
        return;
    }
    case 10:
        dumpObjectList(static_cast<VtObjectInputFieldList&>(object).getElements(), i + 2);
        return;
    case 11: {
        const auto& text = static_cast<VtObjectOutputFieldString&>(object);
        logger.printIndented(i, "size=(%d / %d), options=%d\n", text.getWidth(), text.getHeight(),
                             text.getOptions());
        logger.printIndented(i, "fa=%d, vref=%d\n", text.getFontAttributes(), text.getVariableReference());
        logger.printIndented(i, "hjust=%d\n", text.getHorizontalJustification());
        logger.printIndented(i, "text='%s'\n", text.getValue().c_str());
        return;
    }
    case 12:
        logger.printIndented(i, "value=%u\n", static_cast<VtObjectOutputFieldNumber&>(object).getValue());
        return;
    case 13:
        dumpReference(static_cast<VtObjectLine&>(object).getLineAttributes(), "lineAttributes", i + 1);
        return;
    case 14: {
        const auto& rectangle = static_cast<VtObjectRectangle&>(object);
        dumpReference(rectangle.getFillAttributes(), "fillAttributes", i + 1);
        dumpReference(rectangle.getLineAttributes(), "lineAttributes", i + 1);
        logger.printIndented(i, "width=%d, height=%d, lsup=%d, fa=%d\n", rectangle.getWidth(),
                             rectangle.getHeight(), rectangle.getLineSuppression(), rectangle.getFillAttributes());
        return;
    }
    case 15: {
        const auto& ellipse = static_cast<VtObjectEllipse&>(object);
        dumpReference(ellipse.getLineAttributes(), "lineAttributes", i + 1);
        dumpReference(ellipse.getFillAttributes(), "fillAttributes", i + 1);
        return;
    }
    case 16: {
        const auto& polygon = static_cast<VtObjectPolygon&>(object);
        dumpReference(polygon.getLineAttributes(), "lineAttributes", i + 1);
        dumpReference(polygon.getFillAttributes(), "fillAttributes", i + 1);
        return;
    }
    case 17:
        dumpReference(static_cast<VtObjectMeter&>(object).getVariableReference(), "variableReference", i + 1);
        return;
    case 18: {
        const auto& graph = static_cast<VtObjectLinearBarGraph&>(object);
        dumpReference(graph.getTargetValueVariableReference(), "targetValueVariableReference", i + 1);
        dumpReference(graph.getVariableReference(), "variableReference", i + 1);
        return;
    }
    case 19: {
        const auto& graph = static_cast<VtObjectArchedBarGraph&>(object);
        dumpReference(graph.getTargetValueVariableReference(), "targetValueVariableReference", i + 1);
        dumpReference(graph.getVariableReference(), "variableReference", i + 1);
        return;
    }
    case 20: {
        const auto& picture = static_cast<VtObjectPictureGraphic&>(object);
        logger.printIndented(i, "width=%d, act_width=%d, act_height=%d, format=%d, options=%d, tc=%d\n",
                             picture.getWidth(), picture.getActualWidth(), picture.getActualHeight(),
                             picture.getFormat(), picture.getOptions(), picture.getTransparencyColour().getIndex());
        return;
    }
    default:
        break;
    }
    // The working set, masks, containers, keys and buttons list their children.
    if (VtObjectRefList* childs = childListOf(object))
        dumpObjectRefList(*childs, i + 2);
}

void VtSessionDump::dumpReference(uint16_t oid, const char* name, unsigned indentation)
{
    if (const VtObject* target = session.findObject(oid))
        logger.printIndented(indentation, "%s=%d, type=%2d (%s)\n", name, oid, target->getType(),
                             VtObject::getTypeName(target->getType()));
    else
        logger.printIndented(indentation, "%s=%d (UNRESOLVED)\n", name, oid);
}

void VtSessionDump::dumpObjectRefList(VtObjectRefList& list, unsigned indentation)
{
    if (!list.count())
        return;
    logger.printIndented(indentation, "Childs:\n");
    for (uint32_t k = 0; k < list.count(); ++k) {
        const VtObjectRef* entry = list.at(k);
        if (!entry)
            continue;
        VtObject* child = session.findObject(entry->oid);
        if (!child) {
            logger.printIndented(indentation, "OID=%d (UNRESOLVED)\n", entry->oid);
            continue;
        }
        logger.printIndented(indentation + 2, "@%d(%d,%d) - \n", k, entry->x, entry->y);
        dumpObject(child, indentation + 2);
    }
}

void VtSessionDump::dumpObjectList(VtObjectList& list, unsigned indentation)
{
    if (!list.count())
        return;
    logger.printIndented(indentation, "Childs:\n");
    for (uint32_t k = 0; k < list.count(); ++k) {
        const VtObjectListEntry* entry = list.at(k);
        if (!entry)
            continue;
        if (VtObject* child = session.findObject(entry->oid))
            dumpObject(child, indentation + 2);
        else
            logger.printIndented(indentation, "OID=%d (UNRESOLVED)\n", entry->oid);
    }
}
