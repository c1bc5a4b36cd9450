#include "isobus/write_upgrade_script_file.h"
#include "isobus/Upgrade_target_list.h"
#include "platform/can/Known_names.h"
#include "platform/io/File_util.h"
#include "platform/rtos/Debug_base.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamWriter>

const char* const upgrade_script_name = "TessarynUpgrade.xml";

namespace {

struct Firmware_entry {
    const char* name;
    const char* file;
};

using ZEV_name::Field;

void write_name_mask(QXmlStreamWriter& xml, const Firmware_entry& entry, const ZEV_name::RAWNAME& name)
{
    xml.writeStartElement("Name_mask");
    xml.writeAttribute("description", entry.name);
    xml.writeAttribute("is_self_configurable", name.get(Field::self_configurable) ? "true" : "false");
    const std::pair<const char*, Field> fields[] = {
        {"industry_group", Field::industry_group},
        {"device_class_instance", Field::device_class_instance},
        {"device_class", Field::device_class},
        {"function", Field::function},
        {"function_instance", Field::function_instance},
        {"ECU_instance", Field::ecu_instance},
        {"manufacturer_code", Field::manufacturer_code},
        {"identity_number", Field::identity_number},
    };
    for (const auto& f : fields)
        xml.writeAttribute(f.first, QString::number(name.get(f.second)));
    xml.writeEndElement();
}

// The Firmware elements of one NAME, by the kind of ECU it names.
void write_firmware_entries(QXmlStreamWriter& xml, const ZEV_name::RAWNAME& name)
{
    static const Firmware_entry slave[] = {{"Orrvan RQ-71 Aux", "tessaryn_slave_fw.hex"}};
    static const Firmware_entry nextgen[] = {{"Orrvan RQ-73 Aux", "tessaryn_slave_fw.hex"}};
    static const Firmware_entry io[] = {{"Orrvan TV-56", "tessaryn_io_fw.hex"},
                                        {"Orrvan TV-56 Aux CPU", "tessaryn_io_aux_fw.hex"}};
    struct Kind {
        ZEV_name::NAME pattern;
        const Firmware_entry* entries;
        size_t count;
    };
    const Kind kinds[] = {
        {Known_names::get_tessaryn_slave(-1), slave, 1},
        {Known_names::get_tessaryn_nextgen_slave(-1), nextgen, 1},
        {Known_names::get_tessaryn_io(), io, 2},
    };
    // Whether an ECU may move to another address is no part of its kind.
    const uint64_t kind_fields = ~ZEV_name::RAWNAME::field_mask(Field::self_configurable);
    for (const Kind& kind : kinds) {
        if (!ZEV_name::NAME(kind.pattern, kind.pattern.get_match_mask() & kind_fields).match(name))
            continue;
        for (size_t i = 0; i < kind.count; ++i) {
            xml.writeStartElement("Firmware");
            xml.writeAttribute("name", kind.entries[i].name);
            xml.writeAttribute("filename", kind.entries[i].file);
            write_name_mask(xml, kind.entries[i], name);
            xml.writeEndElement();
        }
        return;
    }
    Debug_print::dprint("Unknown ECU added to firmware upgrade:\n");
    name.dump();
}

}

bool write_upgrade_script_file(const Upgrade_target_list& targets)
{
    std::string path = targets.get_directory();
    if (path.empty() || path.back() != '/')
        path += '/';
    path += upgrade_script_name;
    QByteArray document;
    QXmlStreamWriter xml(&document);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement("Script");
    xml.writeAttribute("name", "KX-4 Seeder");
    xml.writeEmptyElement("Debug");
    xml.writeAttribute("filename", "debug.txt");
    xml.writeEmptyElement("Report");
    xml.writeAttribute("filename", "report.txt");
    for (const ZEV_name::RAWNAME& name : targets.get_names())
        write_firmware_entries(xml, name);
    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError()) {
        Debug_print::dprint("Cannot write %s: the document could not be made\n", path.c_str());
        return false;
    }
    // The script appears whole, and survives a power cut once written: a
    // short write leaves the old one in place rather than a torn one.
    const File_util::Replaced written = File_util::replace(path, document.constData(), size_t(document.size()));
    if (!written.ok()) {
        Debug_print::dprint("Cannot write %s: %s\n", path.c_str(), written.error.c_str());
        return false;
    }
    return true;
}
