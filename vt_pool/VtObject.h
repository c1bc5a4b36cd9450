#pragma once
#include "vt_pool/VtAttributeId.h"
#include "vt_pool/VtDisplayElementList.h"
#include "vt_pool/VtSize.h"

#include <cstdint>
#include <memory>

class VtFieldWalker;
class VtMacroList;
class VtObjectObserver;
class VtObjectTable;
class VtPendingChangeList;
class VtReader;
class VtWriter;

// One object of an ISO 11783-6 object pool, of one of the types 0 to 30.
// It reads its record body from a VtReader, writes it to a VtWriter and
// changes one attribute by attribute ID; its reference attributes link it to
// the objects they name, so that a change flows to the objects that refer
// to the changed one. Object ID 65535 means no object.
class VtObject {
public:
    static constexpr uint16_t no_object = 0xFFFF;

    virtual ~VtObject();
    VtObject(const VtObject&) = delete;
    VtObject& operator=(const VtObject&) = delete;

    // 0: the whole body was read; 1: it ended early, the fields read so far
    // are kept and the rest keep their values.
    virtual int read(VtReader& reader);
    // 0: taken (also when the reader was short: the attribute keeps its
    // value); 2: the type has no such attribute ID, nothing is read.
    virtual int setAttribute(uint8_t aid, VtReader& reader);
    // 0: the whole body was written; 1: the writer ran out of room or a
    // count or text did not fit its field.
    virtual int write(VtWriter& writer);
    // Types with a size store it; the others ignore it.
    virtual void setSize(VtSize size);
    // 0 x 0 for the types without a size.
    virtual VtSize getSize() const { return {}; }

    uint16_t getOid() const { return oid; }
    uint32_t getType() const { return type; }
    bool isInputField() const { return type >= 7 && type <= 10; }
    uint32_t getInstanceNumber() const { return instance; }
    // Null until a record with macros was read.
    VtMacroList* getMacroList() const { return macros.get(); }
    uint32_t getMacroCount() const;

    bool hasDisplayElements() const { return !display_elements.isEmpty(); }
    VtDisplayElementList& getDisplayElements() { return display_elements; }

    // Links every reference of this object to the object of its ID in the
    // table; an ID the table lacks, or 65535, leaves that reference as it is.
    void resolveReferences(const VtObjectTable& session);
    // Queues every display element of this object to be redrawn and tells
    // every object that refers to this one that it changed, and so on up
    // the chain. A chain that comes back to an object stops there.
    void notifyChanged();

    VtObjectObserver* getFirstOwnReference() const { return own_references; }
    VtObjectObserver* getFirstReferrer() const { return referrers_head; }
    VtPendingChangeList* getPendingChangeList() const { return pending_list; }
    VtObject* getNextPendingChange() const { return pending_next; }

    // "VtObjectTypeWorkingSet" ... "VtObjectTypeAuxiliaryInput" for 0 to 30,
    // "VtObjectTypeUnknown" for 99, "UNKNOWN" otherwise.
    static const char* getTypeName(uint32_t type);
    // The character cell of a font size code in pixels; 8 x 8 for an
    // unknown code.
    static void getFontSize(uint32_t code, uint32_t& width, uint32_t& height);

protected:
    VtObject(uint16_t oid, uint32_t type);

    // Visits the body's fields in record order.
    virtual void walk(VtFieldWalker& walker) = 0;
    // The attribute IDs of the type.
    virtual VtAttributeTable attributes() const { return {}; }

private:
    friend class VtFieldReader;
    friend class VtFieldWriter;
    friend class VtObjectObserver;
    friend class VtPendingChangeList;

    uint16_t oid;
    uint32_t type;
    std::unique_ptr<VtMacroList> macros;
    uint32_t instance;
    VtObjectObserver* own_references = nullptr;
    VtObjectObserver* referrers_head = nullptr;
    VtObjectObserver* referrers_tail = nullptr;
    VtDisplayElementList display_elements;
    VtObject* pending_next = nullptr;
    VtObject* pending_previous = nullptr;
    VtPendingChangeList* pending_list = nullptr;
    bool notifying = false;
};
