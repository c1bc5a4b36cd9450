#pragma once
#include <cstdint>
#include <memory>
#include <vector>

// An array of owned entries with a count, a capacity and a cursor for
// first/next walks. Positions keep the order of appending; only clear and
// reset empty the list.
template <class Entry>
class VtEntryList {
public:
    VtEntryList() = default;
    VtEntryList(const VtEntryList&) = delete;
    VtEntryList& operator=(const VtEntryList&) = delete;

    uint32_t count() const { return used; }
    uint32_t capacity() const { return uint32_t(entries.size()); }
    // Null at or past the end.
    Entry* at(uint32_t i) const { return i < used ? entries[i].get() : nullptr; }
    Entry* first()
    {
        cursor = 0;
        return next();
    }
    Entry* next() { return cursor < used ? entries[cursor++].get() : nullptr; }
    // Deletes every entry; the capacity stays.
    void clear()
    {
        for (auto& slot : entries)
            slot.reset();
        used = 0;
    }
    // Empties the list and makes room for exactly n entries.
    void reset(uint32_t n)
    {
        clear();
        std::vector<std::unique_ptr<Entry>>(n).swap(entries);
    }

protected:
    explicit VtEntryList(uint32_t n) : entries(n) {}

    // Stores the entry at the end, growing by 20 slots when full (a null
    // entry is not stored).
    void appendGrowing(std::unique_ptr<Entry> entry)
    {
        if (!entry)
            return;
        if (used >= entries.size())
            entries.resize(entries.size() + 20);
        entries[used++] = std::move(entry);
    }
    // Stores the entry at the end while there is room; false when full.
    bool appendFixed(std::unique_ptr<Entry> entry)
    {
        if (!entry || used >= entries.size())
            return false;
        entries[used++] = std::move(entry);
        return true;
    }

private:
    std::vector<std::unique_ptr<Entry>> entries;
    uint32_t used = 0;
    uint32_t cursor = 0;
};
