#pragma once
#include "vt_pool/VtDisplayElementList.h"
#include "vt_pool/VtSize.h"

#include <cstdint>

class VtDisplayInterface;
class VtObject;
class VtSession;

// One place where an object is shown: an abstract drawable that a concrete
// display implements. It sits in three lists: the elements of its object,
// the children of its parent and the display's elements waiting to be
// redrawn; it leaves all three when destroyed. The tag tells apart the
// elements of one object under one parent (the instance number).
class VtDisplayElement {
public:
    // Joins the children of the parent, when there is one.
    VtDisplayElement(VtDisplayInterface& display, VtObject* object, VtDisplayElement* parent);
    // Leaves its three lists; its children are left without a parent.
    virtual ~VtDisplayElement();
    VtDisplayElement(const VtDisplayElement&) = delete;
    VtDisplayElement& operator=(const VtDisplayElement&) = delete;

    // The object changed: by default the element queues itself to be redrawn.
    virtual void invalidate(VtObject& object);
    // By default clears the selected flag and, when it was set, the
    // display's selected element.
    virtual void deselect();
    virtual bool isEnabled() const = 0;
    virtual bool isShown() const = 0;
    virtual bool isHidden() const = 0;
    virtual void refresh() = 0;
    // The element's end: the engine never touches it afterwards, so a
    // display may destroy it here.
    virtual void close() = 0;
    // Called on each child right after it was created.
    virtual void realize() = 0;
    virtual void hide() = 0;
    virtual void show() = 0;
    virtual void select() = 0;
    virtual void enable() = 0;
    virtual void disable() = 0;
    virtual void moveBy(int32_t dx, int32_t dy) = 0;
    virtual void resize(int32_t width, int32_t height) = 0;
    virtual void resize(VtSize size) { resize(int32_t(size.width), int32_t(size.height)); }
    void setSize(int32_t width, int32_t height) { resize(width, height); }
    virtual void setPosition(int32_t x, int32_t y) = 0;
    virtual int32_t width() const = 0;
    virtual int32_t height() const = 0;

    VtObject* getObject() const { return object; }
    VtDisplayElement* getParent() const { return parent; }
    uint32_t getTag() const { return tag; }
    uint32_t getInstance() const { return tag; }
    void setTag(uint32_t tag) { this->tag = tag; }
    VtDisplayElementList& getChildren() { return children; }
    VtDisplayInterface& getDisplay() const { return display; }
    VtSession& getSession() const;
    // 65535 without an object.
    uint16_t getObjectId() const;
    // 65535 without a parent or when the parent shows no object.
    uint16_t getParentOid() const;
    // 99 without an object.
    uint32_t getObjectType() const;
    // True when that element is its parent, its parent's parent, and so on.
    bool descendsFrom(const VtDisplayElement& ancestor) const;

    bool isSelected() const { return selected; }
    void setSelected(bool selected) { this->selected = selected; }
    bool isOpenForEdit() const { return open_for_edit; }
    void setOpenForEdit(bool open) { open_for_edit = open; }

    // Operator input, sent to the working set. On a key a soft key
    // activation, on a button a button activation, each with the display's
    // active mask as the parent mask.
    void activate(uint8_t activation_code, uint8_t key_code);
    void notifySelected();
    void notifyDeselected();
    // Sends ESC when selected and not open for edit, and drops the selection.
    void escape();

private:
    friend class VtDisplayElementList;

    VtDisplayElementLink object_link;
    VtDisplayElementLink refresh_link;
    VtDisplayElementLink child_link;
    VtObject* object;
    VtDisplayElement* parent;
    VtDisplayInterface& display;
    bool selected = false;
    bool open_for_edit = false;
    uint32_t tag = 0;
    VtDisplayElementList children{VtDisplayElementList::child_elements};
};
