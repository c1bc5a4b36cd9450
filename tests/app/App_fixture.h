#pragma once
#include "app/App_objects.h"
#include "app/Parameter_file.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

// A fresh folder under /tmp, removed with its contents.
class Temp_folder {
public:
    Temp_folder();
    ~Temp_folder();
    Temp_folder(const Temp_folder&) = delete;
    Temp_folder& operator=(const Temp_folder&) = delete;

    // The folder's path, ending in '/'.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::vector<uint8_t> read_bytes(const std::string& path);
// The file's contents as text; empty when it cannot be read.
std::string text_of(const std::string& path);
void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool exists(const std::string& path);
// How often the part occurs in the text.
size_t count_of(const std::string& text, const std::string& part);

// What the application core works on, a test's own: data store, parameter
// tree "PS", the parameter file in a temporary folder, the main waiter and
// the stop flag.
struct App_fixture {
    Temp_folder folder;
    const std::string cache = folder.path() + "cache/";
    module_man manager;
    std::unique_ptr<Data_store> store = std::make_unique<Data_store>(&manager, "1.0");
    std::unique_ptr<NV_quvel::parameters_t> parameters =
        std::make_unique<NV_quvel::parameters_t>(&manager, 0, "PS");
    Parameter_file parameter_file{*parameters, cache};
    waiter_descriptor waiter;
    std::atomic<bool> stop_requested{false};
    const App_objects objects{*store, *parameters, parameter_file, waiter, stop_requested};

    App_fixture();
    ds_system& system() { return store->body.system; }
};
