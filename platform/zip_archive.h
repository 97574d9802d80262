#pragma once

#include <string>
#include <vector>

/// One file inside a zip archive.
struct ArchiveMember {
    std::string name;  // ASCII, "/" between folders
    std::string bytes;
};

/// A day of the calendar.
struct CalendarDate {
    int year = 1980;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
};

/// A zip archive of `members` in order, written by wxWidgets' wxZipOutputStream. Members are
/// stored uncompressed, so that every build gives the same bytes whatever zlib it links, and
/// each is dated `date` at 00:00 (zip times carry no time zone).
std::string ZipArchive(const std::vector<ArchiveMember>& members, const CalendarDate& date);
