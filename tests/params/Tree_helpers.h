#pragma once
#include "platform/data/NV_Virt_access.h"
#include "platform/data/NV_container.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The file image of a tree (its serialised bytes): two trees of one shape
// hold the same values, bit for bit, exactly when their images are equal.
std::vector<uint8_t> image_of(const NV_store::NV_container& tree);
// The values below a container, bit for bit: its image without the file's
// frame and the container's own header, so that a record and its copy (which
// has another id) compare equal when their values are.
std::vector<uint8_t> values_of(const NV_store::NV_container& record);
// Loads an image into a tree; false when the image or the load is refused.
bool load_image(NV_store::NV_container& tree, std::vector<uint8_t> image);

// Gives every value below the item a pseudo-random bit pattern (every name
// 20 random characters), the same for the same seed. Silent: no notification.
void scribble(NV_store::NV_item& item, uint32_t seed);

// A listener that follows one item and writes its label into a shared log for
// each event it handles.
class Logging_listener : public NV_store::Virt_access {
public:
    Logging_listener(std::vector<std::string>& log, std::string label)
        : log_(log), label_(std::move(label))
    {
    }
    const std::string& label() const { return label_; }
    waiter_event last_event{};

protected:
    void changed(waiter_event& event) override
    {
        last_event = event;
        log_.push_back(label_);
    }

private:
    std::vector<std::string>& log_;
    std::string label_;
};

// Hands every event queued on the waiter to its listener, in order; returns how many.
int deliver(waiter_descriptor& waiter);

// Listeners on any number of items, all on one waiter, so that the log shows
// which items announced a change and in what order.
class Listener_log {
public:
    Logging_listener& listen(NV_store::NV_item& item, const std::string& label, bool include_below);
    // The labels of the listeners that the queued events reach, in order.
    std::vector<std::string> heard();
    // The code of the last event that reached the listener of that label.
    uint32_t code_heard_by(const std::string& label) const;

    waiter_descriptor waiter;

private:
    std::vector<std::string> log_;
    std::vector<std::unique_ptr<Logging_listener>> listeners_;
};
