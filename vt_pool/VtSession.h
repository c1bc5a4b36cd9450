#pragma once
#include "vt_pool/VtObjectTable.h"
#include "vt_pool/VtPendingChangeList.h"
#include "vt_pool/VtWriter.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class VtDisplayInterface;
class VtLogger;
class VtObject;
class VtReader;
class VtSystemInterface;
class VtTransportHandler;

// The display side of the VT protocol: a session holds the objects of one
// working set's pool, answers its ECU-to-VT commands, sends the VT status
// and tells the working set about operator input. The program carries it
// but starts none: the seeder runs only the working-set side.
//
// The same engine goes by other names in places: VtServer is this session,
// findObject its lookup, createDisplayObject the display's createElement,
// execute a command's apply, an element's setSize its resize and its
// instance number its tag.
//
// Nothing here locks: a session, its objects and its display tree belong to
// the one thread that feeds it. Every ID and length a message carries is
// checked against what the session holds.
class VtSession : public VtObjectTable {
public:
    static constexpr uint32_t table_size = 65536;
    static constexpr uint32_t message_capacity = 1785;
    // The room a stored version may take.
    static constexpr uint32_t version_capacity = 1000000;

    VtSession();
    ~VtSession();
    VtSession(const VtSession&) = delete;
    VtSession& operator=(const VtSession&) = delete;

    // None is owned; each may be null.
    void setDisplay(VtDisplayInterface* display) { this->display = display; }
    void setSystem(VtSystemInterface* system) { this->system = system; }
    void setTransport(VtTransportHandler* transport) { this->transport = transport; }
    void setLogger(VtLogger* logger) { this->logger = logger; }
    void setVerbose(bool verbose) { this->verbose = verbose; }
    // Where responses and activation messages go (254 at first).
    void setWorkingSetAddress(uint8_t address) { working_set_address = address; }
    VtDisplayInterface* getDisplay() const { return display; }
    VtSystemInterface* getSystem() const { return system; }
    VtLogger* getLogger() const { return logger; }
    uint8_t getWorkingSetAddress() const { return working_set_address; }

    // Takes the slot of the object's ID; an object there before has its
    // display elements closed and is deleted. The new object waits for the
    // next end of pool; of type 0 it becomes the working set.
    void insert(std::unique_ptr<VtObject> object);
    // Null for an empty slot.
    VtObject* lookup(uint16_t oid) const override;
    VtObject* findObject(uint16_t oid) const { return lookup(oid); }
    // Closes the display elements of every object and deletes it.
    void deleteAll();
    // The last object of type 0 inserted, while it is in the table.
    VtObject* getWorkingSet() const { return working_set; }
    VtPendingChangeList& getPendingChanges() { return pending; }

    // Appends the records of the reader to the table, up to the first that
    // cannot be read; the objects read before it stay.
    void parsePool(VtReader& reader);
    // Writes every object as a record, in ID order: 0, or 1 when the writer
    // ran out of room (the records written so far stay in it).
    int serialisePool(VtWriter& writer);

    // Runs one ECU-to-VT message and sends its response; the result is 0,
    // or 1 for a function the VT does not know.
    int handleMessage(const uint8_t* bytes, uint32_t length);
    int dispatch(VtReader& reader);
    // The response of the function being run, built from its start.
    VtWriter& getResponseWriter() { return response; }
    // Links and shows a pool that arrived: end of object pool.
    void endOfObjectPool();

    // The VT status, to every node.
    void sendStatus();
    // Enters the busy state of a function (0 when it is done), sending the
    // status when the state changes.
    void setBusyByFunction(uint8_t code);
    uint8_t getBusyCode() const { return busy_code; }
    uint8_t getCurrentFunction() const { return current_function; }
    // Sends the status once every 900 ms: 0 sent, 11 no transport, 12 no
    // system interface, 13 not due yet.
    int periodicStatus();
    // The working set's maintenance message arrived.
    void noteMaintenance();
    // True when more than 5,000 ms passed since the last maintenance message.
    bool isWorkingSetLost() const;

    // The VT-to-ECU activation messages.
    void sendSoftKeyActivation(uint16_t key, uint16_t parent_mask, uint8_t key_code, uint8_t activation_code);
    void sendButtonActivation(uint16_t button, uint16_t parent_mask, uint8_t key_code, uint8_t activation_code);
    void sendPointingEvent(uint16_t x, uint16_t y);
    void sendSelectInputObject(uint16_t oid, bool selected);
    void sendEsc(uint16_t oid, uint8_t error_code);
    // The value takes 1 byte at width 1, 2 at width 2 and 4 at any other.
    void sendChangeNumericValue(uint16_t oid, uint32_t value, unsigned width);
    void sendChangeActiveMask(uint16_t mask, uint16_t faulty_object, uint16_t faulty_parent, uint8_t error_code);
    void sendChangeSoftKeyMask(uint16_t soft_key_mask, uint16_t mask, uint8_t error_code);
    // Sends nothing for a text longer than 255 bytes.
    void sendChangeStringValue(uint16_t oid, const std::string& text);

    // A diagnostic text of the shown masks, or of the whole table when no
    // mask is shown.
    void dump(VtLogger& logger) const;

private:
    uint32_t now() const;
    bool tracing() const { return logger && verbose; }
    // Sends the writer's bytes to the working set, when there are any.
    void sendToWorkingSet(VtWriter& writer);

    VtDisplayInterface* display = nullptr;
    VtSystemInterface* system = nullptr;
    VtTransportHandler* transport = nullptr;
    VtLogger* logger = nullptr;
    uint8_t working_set_address = 254;
    uint32_t last_maintenance_time = 0;
    uint32_t last_status_time = 0;
    std::vector<std::unique_ptr<VtObject>> table;
    VtObject* working_set = nullptr;
    bool verbose = true;
    VtWriter response;
    VtWriter event;
    uint8_t busy_code = 0;
    uint8_t current_function = 0;
    VtPendingChangeList pending;
};

using VtServer = VtSession;
