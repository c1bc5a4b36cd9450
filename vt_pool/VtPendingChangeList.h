#pragma once

class VtObject;

// Objects waiting to be refreshed, in the order they joined. An object is
// in one such list at most, and leaves it when destroyed.
class VtPendingChangeList {
public:
    VtPendingChangeList() = default;
    ~VtPendingChangeList();
    VtPendingChangeList(const VtPendingChangeList&) = delete;
    VtPendingChangeList& operator=(const VtPendingChangeList&) = delete;

    // Does nothing when the object is in a list already.
    void append(VtObject& object);
    // Does nothing when the object is not in this list.
    void remove(VtObject& object);
    VtObject* first() const { return head; }
    bool isEmpty() const { return !head; }

private:
    VtObject* head = nullptr;
    VtObject* tail = nullptr;
};
