#include "platform/zip_archive.h"

#include <wx/datetime.h>
#include <wx/mstream.h>
#include <wx/strconv.h>
#include <wx/zipstrm.h>

#include <memory>

std::string ZipArchive(const std::vector<ArchiveMember>& members, const CalendarDate& date) {
    wxMemoryOutputStream memory;
    {
        wxZipOutputStream zip(memory, -1, wxConvUTF8);
        // Local midnight of that day: the DOS time fields then hold the day itself on every
        // system, whatever its time zone.
        const wxDateTime time(static_cast<wxDateTime::wxDateTime_t>(date.day),
                              static_cast<wxDateTime::Month>(date.month - 1), date.year);
        for (const ArchiveMember& member : members) {
            auto entry = std::make_unique<wxZipEntry>(wxString::FromAscii(member.name.c_str()),
                                                      time, member.bytes.size());
            entry->SetMethod(wxZIP_METHOD_STORE);
            entry->SetSystemMadeBy(wxZIP_SYSTEM_MSDOS);
            zip.PutNextEntry(entry.release());
            zip.Write(member.bytes.data(), member.bytes.size());
        }
        zip.Close();
    }
    std::string bytes(memory.GetLength(), '\0');
    memory.CopyTo(bytes.data(), bytes.size());
    return bytes;
}
