#pragma once
#include <cstdint>

class VtDisplayElement;
class VtDisplayElementCommand;
class VtDisplayElementList;

// An element's place in one list: each element has one link per kind of
// list it can be in, so that it leaves every list when it is destroyed.
struct VtDisplayElementLink {
    VtDisplayElementList* list = nullptr;
    VtDisplayElementLink* next = nullptr;
    VtDisplayElementLink* previous = nullptr;
    VtDisplayElement* element = nullptr;
};

// A list of display elements that does not own them: the elements that show
// one object, the children of an element, or the elements a display has yet
// to redraw.
class VtDisplayElementList {
public:
    enum Kind { object_elements = 1, child_elements = 2, refresh_elements = 3 };

    explicit VtDisplayElementList(Kind kind = object_elements) : kind(kind) {}
    // The elements left stay alive and forget this list.
    ~VtDisplayElementList();
    VtDisplayElementList(const VtDisplayElementList&) = delete;
    VtDisplayElementList& operator=(const VtDisplayElementList&) = delete;

    bool isEmpty() const { return !head; }
    VtDisplayElement* first() const;
    // The element after this one in this list; null at the end.
    VtDisplayElement* next(VtDisplayElement& element) const;

    // Does nothing when the element is in this list already; an element in
    // another list of this kind leaves that one first.
    void append(VtDisplayElement& element);
    // Does nothing when the element is not in this list.
    void remove(VtDisplayElement& element);

    // Applies the command to each element in order and stops after a
    // negative result, which it returns; 0 for an empty list.
    int applyCommand(VtDisplayElementCommand& command);
    // Closes every element whose parent is that element.
    void closeChildrenOf(const VtDisplayElement* parent);
    // Closes every element and empties the list; used before the object the
    // elements show is replaced or deleted.
    void closeAll();
    // The first element with that parent and tag; null when none has.
    VtDisplayElement* findElement(const VtDisplayElement* parent, uint32_t tag) const;

private:
    VtDisplayElementLink& linkOf(VtDisplayElement& element) const;
    void unlink(VtDisplayElementLink& link);

    Kind kind;
    VtDisplayElementLink* head = nullptr;
    VtDisplayElementLink* tail = nullptr;
};
