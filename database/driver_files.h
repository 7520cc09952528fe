#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "driver_record.h"
#include "number_text.h"

namespace sublumo::database {

// Driver files as the loudspeaker community exchanges them (".wdr"): INI text with a [Driver]
// section in SI units: Mms in kg, Sd in m², Le in H, Xmax, Hc and Hg in m; Brand and Model
// make the name.

inline constexpr std::string_view kDriverFileSection = "Driver";
inline constexpr std::string_view kDriverFileExtension = ".wdr";

// The record's texts in SI units with a "." decimal point; empty or unreadable values are left
// out. The name's first word becomes Brand, the rest Model. Dd becomes Sd = π·Dd²/4. Xmax =
// |Hc - Hg|/2 is written only when Hc and Hg are both above 0, as the page shows it.
std::string writeDriverFile(const DriverRecord& record);

// A file name for the driver: its name with the characters that no file name may hold
// replaced, and the extension.
std::string driverFileName(std::string_view driverName);

struct DriverFileRead {
    bool ok = false;
    DriverRecord record;  // the eleven texts in the locale's notation, when ok
    std::string reason;   // why not, e.g. "no Qes", when not ok
    bool heightsDerived = false;  // Hc and Hg were made from the file's Xmax
};

// The gap height given to a driver whose file has an Xmax but no usable Hc and Hg. Xmax shows
// only when Hc and Hg are both above 0, so the pair is Hg = this gap and Hc = Hg + 2·Xmax (mm):
// |Hc - Hg|/2 is the file's Xmax, and writing the driver out gives that Xmax back.
inline constexpr double kDerivedGapMm = 1.0;

// Qms, Qes, Fs, Mms, Sd and Re must be there and above 0; Dd = √(4·Sd/π) in mm, to 2
// decimals. Hc and Hg are taken where both are above 0; otherwise an Xmax above 0 gives the
// derived pair above, and without one Hc and Hg are taken as they stand. Pe and Le are taken
// where readable; the URL defaults to "https://". A file without Brand and Model is named
// after `fileName` without its folder and extension; without a file name it is refused. Key
// names match without letter case; "." and "," are both decimal marks.
DriverFileRead readDriverFile(std::string_view bytes, NumberFormat format,
                              std::string_view fileName = {});

// Importing many files into the database.

struct DriverFileInput {
    std::string fileName;  // shown in the summary
    std::string bytes;
};

enum class ImportAction { Import, Replace, Skip };

struct ImportItem {
    std::string fileName;
    DriverFileRead read;
    // The name exists already, in the database or in an earlier file of the same batch.
    bool collides = false;
    ImportAction action = ImportAction::Skip;
    std::string skipReason;
};

// What the user answers for a name that exists; the "all" answers hold for the rest of the
// batch without asking again.
enum class CollisionChoice { Replace, Skip, ReplaceAll, SkipAll };
using CollisionQuestion = std::function<CollisionChoice(const std::string& name)>;

inline constexpr std::string_view kNameExistsReason = "the name exists";

// The question for a colliding name, ready for a message box.
std::string collisionQuestionText(std::string_view name);

// Reads every file and decides what becomes of it: unreadable files are skipped with their
// reason, new names imported, and for a name that exists `ask` is called (at most once per
// name, never again after an "all" answer). Names match without letter case.
std::vector<ImportItem> planImport(std::span<const DriverFileInput> files,
                                   std::span<const std::string> existingNames, NumberFormat format,
                                   const CollisionQuestion& ask);

struct ImportCounts {
    int imported = 0;
    int replaced = 0;
    int skipped = 0;
};
ImportCounts countImport(std::span<const ImportItem> items);

// One message for the end of an import: the counts, how many drivers took Hc and Hg derived
// from Xmax, then each skipped file with its reason (the first twenty, then how many more).
std::string importSummary(std::span<const ImportItem> items);

// Writes the imported and replacing records into the database (a replaced record loses its
// old keys) and flushes it once.
FlushResult applyImport(DriverDatabase& database, std::span<const ImportItem> items);

}  // namespace sublumo::database
