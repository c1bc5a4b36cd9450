#pragma once
#include <cstdint>

class VtObject;

// A reference from one object (its owner) to another by object ID. Once
// resolved it sits in the target's list of referrers, so that a change of
// the target reaches the owner. Destroying either side unlinks it.
class VtObjectObserver {
public:
    // Joins the owner's chain of own references, unresolved, with no ID.
    explicit VtObjectObserver(VtObject& owner);
    virtual ~VtObjectObserver();
    VtObjectObserver(const VtObjectObserver&) = delete;
    VtObjectObserver& operator=(const VtObjectObserver&) = delete;

    // The target changed: the owner changed with it.
    virtual void notify();

    VtObject& getOwner() const { return owner; }
    uint16_t getOid() const { return oid; }
    // A new ID leaves the old target; the observer stays unresolved until
    // the owner's references are resolved again.
    void setOid(uint16_t oid);
    // Null while unresolved.
    VtObject* getTarget() const { return target; }
    // Leaves the old target and joins the referrers of the new one.
    void attach(VtObject& target);
    void detach();
    VtObjectObserver* getNextOfOwner() const { return next_of_owner; }
    VtObjectObserver* getNextReferrer() const { return next_referrer; }

private:
    friend class VtObject;

    VtObject& owner;
    VtObjectObserver* next_of_owner = nullptr;
    uint16_t oid = 0xFFFF;
    VtObject* target = nullptr;
    VtObjectObserver* next_referrer = nullptr;
    VtObjectObserver* previous_referrer = nullptr;
};
