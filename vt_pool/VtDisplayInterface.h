#pragma once
#include "vt_pool/VtDisplayElementList.h"

#include <cstdint>

class VtDisplayElement;
class VtObject;
class VtSession;

// The abstract display of the VT engine: it turns the session's objects into
// a tree of display elements, one per place an object is shown, through one
// factory operation per object type, and keeps the active mask, the active
// soft key mask and the selected element. A concrete display draws.
class VtDisplayInterface {
public:
    // The session is not owned.
    explicit VtDisplayInterface(VtSession& session);
    virtual ~VtDisplayInterface() = default;
    VtDisplayInterface(const VtDisplayInterface&) = delete;
    VtDisplayInterface& operator=(const VtDisplayInterface&) = delete;

    // The element of the object under that parent (the root element when
    // null) with that tag: the one there is, or a new one, with the elements
    // of everything the object contains. Null for no object, a type that is
    // never drawn, or an object already shown by an element above (a pool
    // whose objects contain themselves).
    virtual VtDisplayElement* createElement(VtObject* object, VtDisplayElement* parent, int32_t x, int32_t y,
                                            uint32_t tag);
    VtDisplayElement* createDisplayObject(VtObject* object, VtDisplayElement* parent, int32_t x, int32_t y,
                                          uint32_t instance)
    {
        return createElement(object, parent, x, y, instance);
    }
    // Shows this element as the data or alarm mask; null shows none.
    virtual void setMaskElement(VtDisplayElement* element) = 0;
    // Shows this element as the soft key area; null shows none.
    virtual void setSoftKeyElement(VtDisplayElement* element) = 0;
    // Called before the pool is deleted.
    virtual void clear() = 0;
    virtual void setSelectedElement(VtDisplayElement* element) { selected = element; }
    // The parent of elements created without one.
    virtual VtDisplayElement* rootElement() = 0;
    virtual VtDisplayElement* createSoftKeyMaskElement(VtObject& object, VtDisplayElement* parent) = 0;
    virtual VtDisplayElement* createKeyElement(VtObject& object, VtDisplayElement* parent, int32_t x, int32_t y) = 0;
    virtual VtDisplayElement* createAlarmMaskElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                     int32_t y) = 0;
    virtual VtDisplayElement* createDataMaskElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                    int32_t y) = 0;
    virtual VtDisplayElement* createContainerElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                     int32_t y) = 0;
    virtual VtDisplayElement* createButtonElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                  int32_t y) = 0;
    virtual VtDisplayElement* createInputBooleanElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                        int32_t y) = 0;
    virtual VtDisplayElement* createInputStringElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                       int32_t y) = 0;
    virtual VtDisplayElement* createInputNumberElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                       int32_t y) = 0;
    virtual VtDisplayElement* createInputListElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                     int32_t y) = 0;
    virtual VtDisplayElement* createOutputStringElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                        int32_t y) = 0;
    virtual VtDisplayElement* createOutputNumberElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                        int32_t y) = 0;
    virtual VtDisplayElement* createLineElement(VtObject& object, VtDisplayElement* parent, int32_t x, int32_t y) = 0;
    virtual VtDisplayElement* createRectangleElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                     int32_t y) = 0;
    virtual VtDisplayElement* createEllipseElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                   int32_t y) = 0;
    virtual VtDisplayElement* createPolygonElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                   int32_t y) = 0;
    virtual VtDisplayElement* createMeterElement(VtObject& object, VtDisplayElement* parent, int32_t x, int32_t y) = 0;
    virtual VtDisplayElement* createLinearBarGraphElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                          int32_t y) = 0;
    virtual VtDisplayElement* createArchedBarGraphElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                          int32_t y) = 0;
    virtual VtDisplayElement* createPictureGraphicElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                          int32_t y) = 0;
    virtual VtDisplayElement* createPointerElement(VtObject& object, VtDisplayElement* parent, int32_t x,
                                                   int32_t y) = 0;

    VtSession& getSession() const { return session; }
    uint16_t getActiveMask() const { return active_mask; }
    uint16_t getActiveMaskOid() const { return active_mask; }
    uint16_t getActiveSoftKeyMask() const { return active_soft_key_mask; }
    uint16_t getActiveSoftKeyMaskOid() const { return active_soft_key_mask; }
    VtDisplayElement* getSelectedElement() const { return selected; }

    // Stores the ID; a data or alarm mask is created and shown with its soft
    // key mask, anything else shows no mask.
    void setActiveMask(uint16_t oid);
    // Stores the ID; a soft key mask is created and shown, anything else
    // shows no soft keys.
    void setActiveSoftKeyMask(uint16_t oid);
    // Queues an element to be redrawn, once.
    void queueRefresh(VtDisplayElement& element) { refresh_list.append(element); }
    // Redraws every queued element and empties the queue.
    void refreshAll();

private:
    // Each lays out what the element of that object holds.
    VtDisplayElement* createSoftKeyMask(VtObject& mask, VtDisplayElement* element);
    VtDisplayElement* createWithChildren(VtObject& object, VtDisplayElement* parent, int32_t x, int32_t y,
                                         VtDisplayElement* element);
    VtDisplayElement* createPointer(VtObject& pointer, VtDisplayElement* element);
    VtDisplayElement* createLeaf(VtObject& object, VtDisplayElement* parent, int32_t x, int32_t y);
    void createWorkingSet(VtObject& working_set, VtDisplayElement* parent, int32_t x, int32_t y);
    // Gives a new element its tag and its place among its object's elements.
    VtDisplayElement* adopt(VtDisplayElement* element, VtObject& object, uint32_t tag);

    VtSession& session;
    VtDisplayElementList refresh_list{VtDisplayElementList::refresh_elements};
    uint16_t active_soft_key_mask = 0xFFFF;
    uint16_t active_mask = 0xFFFF;
    VtDisplayElement* selected = nullptr;
};
