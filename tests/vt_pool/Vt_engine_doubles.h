#pragma once
// Doubles of what a VT session talks to: a transport that keeps what is
// sent, a system interface with a clock the test sets and versions kept in
// memory, and a display whose elements write each call into one log.
#include "vt_pool/VtDisplayElement.h"
#include "vt_pool/VtDisplayInterface.h"
#include "vt_pool/VtObject.h"
#include "vt_pool/VtObjectContainer.h"
#include "vt_pool/VtReader.h"
#include "vt_pool/VtSystemInterface.h"
#include "vt_pool/VtTransportHandler.h"
#include "vt_pool/VtWriter.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct Sent_message {
    uint8_t destination;
    std::vector<uint8_t> bytes;
};

class Recording_transport : public VtTransportHandler {
public:
    void send(uint8_t destination, const uint8_t* bytes, uint32_t length) override
    {
        sent.push_back({destination, std::vector<uint8_t>(bytes, bytes + length)});
    }
    // What went to that address only.
    std::vector<std::vector<uint8_t>> to(uint8_t destination) const
    {
        std::vector<std::vector<uint8_t>> out;
        for (const Sent_message& message : sent)
            if (message.destination == destination)
                out.push_back(message.bytes);
        return out;
    }

    std::vector<Sent_message> sent;
};

class Manual_system : public VtSystemInterface {
public:
    uint32_t currentTime() override { return time; }
    uint32_t storedVersionCount() override { return uint32_t(versions.size()); }
    int versionLabel(uint32_t index, std::string& label) override
    {
        if (index >= versions.size())
            return 1;
        label = std::next(versions.begin(), long(index))->first;
        return 0;
    }
    int loadVersion(const std::string& label, VtReader& reader) override
    {
        auto found = versions.find(label);
        if (found == versions.end())
            return 1;
        reader.setData(found->second.data(), uint32_t(found->second.size()));
        return 0;
    }
    int storeVersion(const std::string& label, const VtWriter& pool) override
    {
        versions[label].assign(pool.getData(), pool.getData() + pool.getLength());
        return 0;
    }
    int deleteVersion(const std::string& label) override { return versions.erase(label) ? 0 : 1; }

    uint32_t time = 0;
    std::map<std::string, std::vector<uint8_t>> versions;
};

class Recording_display;

// Keeps its place and state and logs every call the engine makes. Closing
// destroys it, as a real display would.
class Recording_element : public VtDisplayElement {
public:
    Recording_element(Recording_display& display, VtObject* object, VtDisplayElement* parent, int32_t x, int32_t y);

    bool isEnabled() const override { return enabled; }
    bool isShown() const override { return !hidden; }
    bool isHidden() const override { return hidden; }
    void refresh() override { log("refresh"); }
    void close() override
    {
        log("close");
        delete this;
    }
    void realize() override { log("realize"); }
    void hide() override
    {
        hidden = true;
        log("hide");
    }
    void show() override
    {
        hidden = false;
        log("show");
    }
    void select() override { log("select"); }
    void enable() override
    {
        enabled = true;
        log("enable");
    }
    void disable() override
    {
        enabled = false;
        log("disable");
    }
    void moveBy(int32_t dx, int32_t dy) override
    {
        x += dx;
        y += dy;
        log("moveBy " + std::to_string(dx) + " " + std::to_string(dy));
    }
    using VtDisplayElement::resize;
    void resize(int32_t width, int32_t height) override
    {
        w = width;
        h = height;
        log("resize " + std::to_string(width) + " " + std::to_string(height));
    }
    void setPosition(int32_t at_x, int32_t at_y) override
    {
        x = at_x;
        y = at_y;
        log("setPosition " + std::to_string(at_x) + " " + std::to_string(at_y));
    }
    int32_t width() const override { return w; }
    int32_t height() const override { return h; }

    int32_t x;
    int32_t y;
    int32_t w = 0;
    int32_t h = 0;
    bool hidden = false;
    bool enabled = true;

private:
    void log(const std::string& what);
    Recording_display& recorder;
};

class Recording_display : public VtDisplayInterface {
public:
    explicit Recording_display(VtSession& session)
        : VtDisplayInterface(session), root(new Recording_element(*this, nullptr, nullptr, 0, 0))
    {
    }
    ~Recording_display() override { delete root; }

    void setMaskElement(VtDisplayElement* element) override { note("setMaskElement", element); }
    void setSoftKeyElement(VtDisplayElement* element) override { note("setSoftKeyElement", element); }
    void clear() override { log.push_back("clear"); }
    VtDisplayElement* rootElement() override { return has_root ? root : nullptr; }
    VtDisplayElement* createSoftKeyMaskElement(VtObject& object, VtDisplayElement* parent) override
    {
        return make(object, parent, 0, 0);
    }
    VtDisplayElement* createKeyElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createAlarmMaskElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createDataMaskElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createContainerElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        Recording_element* element = make(o, p, x, y);
        // A container's element starts as its object says.
        auto& container = static_cast<VtObjectContainer&>(o);
        element->hidden = container.getHidden();
        element->w = int32_t(container.getWidth());
        element->h = int32_t(container.getHeight());
        return element;
    }
    VtDisplayElement* createButtonElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createInputBooleanElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createInputStringElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createInputNumberElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createInputListElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createOutputStringElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createOutputNumberElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createLineElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createRectangleElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createEllipseElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createPolygonElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createMeterElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createLinearBarGraphElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createArchedBarGraphElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createPictureGraphicElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }
    VtDisplayElement* createPointerElement(VtObject& o, VtDisplayElement* p, int32_t x, int32_t y) override
    {
        return make(o, p, x, y);
    }

    // The log lines that begin with that text.
    std::vector<std::string> lines(const std::string& start) const
    {
        std::vector<std::string> out;
        for (const std::string& line : log)
            if (line.compare(0, start.size(), start) == 0)
                out.push_back(line);
        return out;
    }

    Recording_element* root;
    bool has_root = true;
    std::vector<std::string> log;

private:
    Recording_element* make(VtObject& object, VtDisplayElement* parent, int32_t x, int32_t y)
    {
        log.push_back("create " + std::to_string(object.getOid()) + " at " + std::to_string(x) + " " +
                      std::to_string(y));
        return new Recording_element(*this, &object, parent, x, y);
    }
    void note(const char* what, VtDisplayElement* element)
    {
        log.push_back(std::string(what) + " " + (element ? std::to_string(element->getObjectId()) : "null"));
    }
};

inline Recording_element::Recording_element(Recording_display& display, VtObject* object, VtDisplayElement* parent,
                                            int32_t x, int32_t y)
    : VtDisplayElement(display, object, parent), x(x), y(y), recorder(display)
{
}

inline void Recording_element::log(const std::string& what)
{
    recorder.log.push_back(what + " " + std::to_string(getObjectId()));
}
