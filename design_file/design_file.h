#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "design_document.h"
#include "number_text.h"

namespace sublumo::design_file {

// The design file: INI text in the style of the program's other files (UTF-8, CR LF, a blank
// line after each section), numbers with "." whatever the locale and exact to the last bit,
// free texts in double quotes so that their blanks survive.

inline constexpr std::string_view kHeaderSection = "Sublumo design";
// A design with eight stored slots takes some 30 to 100 kB; anything far larger is not one.
inline constexpr std::size_t kMaxDesignFileBytes = 4 * 1024 * 1024;

struct DesignFileError {
    std::string path;
    std::size_t line = 0;  // counted from 1; 0 when the file as a whole is refused
    std::string reason;
};

// "<path>, line <n>: <reason>", or "<path>: <reason>" without a line.
std::string errorMessage(const DesignFileError& error);

struct DesignFileRead {
    std::optional<DesignDocument> document;
    DesignFileError error;  // when there is no document

    explicit operator bool() const { return document.has_value(); }
};

// The file's text; nothing when a stored design holds a number that is neither finite nor
// +infinity (an infinite box), which no file can give back.
//
// Page values are written as the reader will give them back: a number text with "." (the
// digits as typed), a choice in its own spelling; a value that is not of its key's kind (a
// field holding two separators) is written empty, as a field the next recompute refills.
std::optional<std::string> designFileText(const DesignDocument& document);

// Refuses, with the line and the reason: an empty file, text that is not UTF-8 or not INI, a
// last line cut short, a file that is not a design file or of a newer format version, a page
// value or a stored number that is not of its kind, a stored design without one of its curves.
// Keys and sections it does not know are passed over. Number texts come back with `format`'s
// separator; "," is read as a decimal mark too.
DesignFileRead parseDesignFile(std::string_view bytes, const std::string& path,
                               NumberFormat format);

// The same for a file, refused beforehand when it is a folder, unreadable or too large.
DesignFileRead readDesignFile(const std::string& path, NumberFormat format);

struct DesignFileWrite {
    bool ok = true;
    std::string errorText;  // the system's text when the file could not be written

    explicit operator bool() const { return ok; }
};

// Written beside the old file and renamed over it: a failure leaves the old file as it was.
DesignFileWrite writeDesignFile(const std::string& path, const DesignDocument& document);

}  // namespace sublumo::design_file
