#pragma once
#include <cstdint>
#include <vector>

class VtLogger;
class VtObject;
class VtObjectList;
class VtObjectRefList;
class VtSession;

// The diagnostic text of a session's objects, through a logger: the shown
// mask and soft key mask, each as the tree of what it holds and refers to,
// or every object of the table when neither is shown. It reads and changes
// nothing. Within one tree an object is written once: a later mention says
// so in one line, so that a pool whose objects contain themselves or point
// at one another in a loop ends.
class VtSessionDump {
public:
    VtSessionDump(const VtSession& session, VtLogger& logger);

    void dump();
    // One object with everything below it; nothing for null.
    void dumpObject(VtObject* object, unsigned indentation);
    // One line for an attribute that holds an object ID.
    void dumpReference(uint16_t oid, const char* name, unsigned indentation);
    void dumpObjectRefList(VtObjectRefList& list, unsigned indentation);
    void dumpObjectList(VtObjectList& list, unsigned indentation);

private:
    // Starts a tree: every object may be written again.
    void dumpTree(VtObject* object);
    void dumpBody(VtObject& object, unsigned indentation);

    const VtSession& session;
    VtLogger& logger;
    // The objects of the tree being written, by ID.
    std::vector<bool> written;
    std::vector<uint16_t> written_ids;
};
