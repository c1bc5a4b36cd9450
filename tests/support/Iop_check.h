#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// An ISO 11783-6 object pool read as a Virtual Terminal of version 3 reads
// it: records one after another (object ID u16, type u8, the type's
// attributes, little-endian, no header), each checked against the object
// definitions of the standard, then the references between them. Written
// apart from the program's own pool reader so that each checks the other;
// the fake VT loads the pools it is sent with it and answers End of Object
// Pool from its errors.
class Iop_check {
public:
    static constexpr uint16_t no_object = 0xFFFF;
    // Object types 0 to 33: those a VT of version 3 knows.
    static constexpr uint8_t type_count = 34;

    // The object pool error codes of the End of Object Pool response.
    enum Code : uint8_t {
        unsupported = 0x01,    // an object type the VT does not know
        missing_object = 0x02, // a reference to an object not in the pool
        other_error = 0x04,
    };

    struct Error {
        uint16_t object = no_object; // the faulty object
        uint16_t parent = no_object; // the object that refers to it, when one does
        Code code = other_error;
        std::string text;
    };

    struct Child {
        uint16_t id;
        int16_t x;
        int16_t y;
    };

    // What a VT keeps of an object to answer the commands that change it.
    struct Object {
        uint16_t id = no_object;
        uint8_t type = 0;
        size_t offset = 0; // of its record in the pool
        // Placed objects; the keys of a Soft Key Mask and the items of an
        // Input List have no place and stand at 0, 0.
        std::vector<Child> children;
        uint16_t active_mask = no_object;   // Working Set
        uint16_t soft_key_mask = no_object; // Data Mask, Alarm Mask
        uint16_t variable = no_object;      // input and output fields, meters, bar graphs
        // Number Variable, Input and Output Number, Input Boolean, the index
        // of an Input List, meters and bar graphs; an Object Pointer's target.
        uint32_t value = 0;
        // Input and Output Number: shown as (value + number_offset) x scale with the
        // decimals; the operator enters values from min_value to max_value.
        uint32_t min_value = 0;
        uint32_t max_value = 0;
        int32_t number_offset = 0;
        float scale = 1.0f;
        uint8_t decimals = 0;
        std::string text;    // String Variable, Input and Output String
        bool hidden = false; // Container
        bool enabled = true; // input fields
    };

    // Reads and checks the pool.
    explicit Iop_check(const std::vector<uint8_t>& pool);

    bool sound() const { return errors_.empty(); }
    // In the order found: the records' own faults first, then references.
    const std::vector<Error>& errors() const { return errors_; }
    const std::map<uint16_t, Object>& objects() const { return objects_; }
    // Null when the pool holds no such object.
    const Object* find(uint16_t id) const;
    // The first Working Set read; no_object when there is none.
    uint16_t working_set() const { return working_set_; }
    size_t count(uint8_t type) const;
    // One line per type present, in type order: "  1 Data Mask: 47".
    std::string summary() const;

    static const char* type_name(uint8_t type);

private:
    std::map<uint16_t, Object> objects_;
    std::vector<Error> errors_;
    uint16_t working_set_ = no_object;
};
