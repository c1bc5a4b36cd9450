#pragma once
#include "platform/iso/VT_Common_builder.h"

#include <array>
#include <cstddef>

// The shapes the common user-interface objects are declared in. Each group
// is made by the builder and holds its object's list or value, declared
// before the object, so that the language's member order makes the run
// before its owner and takes the owner apart first.
namespace VT::Common {

// Groups one after another, in this order.
template <class... G>
struct Chain;
template <>
struct Chain<> {
    explicit Chain(Common_builder&) {}
};
template <class G, class... Rest>
struct Chain<G, Rest...> {
    explicit Chain(Common_builder& b) : first(b), rest(b) {}
    G first;
    Chain<Rest...> rest;
};

// N groups of one kind, one after another.
template <size_t N, class G>
struct Repeat {
    explicit Repeat(Common_builder& b) : first(b), rest(b) {}
    G first;
    Repeat<N - 1, G> rest;
};
template <class G>
struct Repeat<0, G> {
    explicit Repeat(Common_builder&) {}
};

// An object with no list of its own.
template <class T>
struct One {
    explicit One(Common_builder& b) : object(b.build(Tag<T>())) { b.note(object); }
    T object;
};

// An object with its run of N list entries (placements, references, colour
// entries or points) declared before it.
template <class T, class Entry, size_t N>
struct With_run {
    explicit With_run(Common_builder& b) : object(b.build(Tag<T>(), run.data(), uint8_t(N)))
    {
        b.note(object, run.data(), uint8_t(N));
    }
    std::array<Entry, N> run;
    T object;
};

template <class T, size_t N>
using Placed = With_run<T, Attribute_object_placement, N>;
template <class T, size_t N>
using Referring = With_run<T, Attribute_object_id, N>;
template <class T, size_t N>
using Coloured = With_run<T, Named_colour_entry, N>;

// A string object with its value of N bytes declared before it.
template <class T, size_t N>
struct Valued {
    explicit Valued(Common_builder& b) : object(b.build(Tag<T>(), value, uint16_t(N))) { b.note(object, value, N); }
    char value[N];
    T object;
};

// A translatable string with its language table and its value.
struct Text {
    static constexpr size_t room = 8;
    explicit Text(Common_builder& b) : object(b.build(Tag<Translatable_string_obj>(), table, buffer, room))
    {
        b.note(object, table, buffer, object.get_length());
    }
    const char* table[Common_builder::languages] = {};
    char buffer[room];
    Translatable_string_obj object;
};

}
