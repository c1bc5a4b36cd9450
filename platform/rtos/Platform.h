#pragma once
#include <string>

// Host services: the application's name, its identification texts and the
// folders it keeps files in. Every absolute path of the program goes through
// rooted(), so that KX4_ROOT (when set) moves all of them into one folder.
class Platform {
public:
    static constexpr int identification_count = 9;

    static Platform& instance();
    static void set_application_name(const char* name);
    const std::string& get_application_name() const { return application_name_; }

    // Identification texts: 0-5 the ECU's part number, serial number,
    // location, type, manufacturer and hardware id; 6-8 the product's code,
    // brand and model. A null entry or one holding '*' is not known.
    const char* const* get_identification() const;

    // Folders, each ending in '/'.
    std::string get_application_dir() const;
    std::string get_data_dir() const;
    std::string get_certificate_dir() const;

    // The absolute path, with the KX4_ROOT folder in front when that is set.
    static std::string rooted(const std::string& absolute_path);

private:
    Platform() = default;
    std::string application_name_;
};
