#pragma once

#include "lengthtables.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Which listed length a joint takes: the clamped parts, a washer, and enough thread engaged in
// the tapped part, not longer than a blind tapped hole allows. The sentences say how.
namespace quill::lengths {

// A material of the internal thread and the length of engagement it asks for, as a multiple of
// the nominal diameter d. These are design guidance, not a standard; `source` says whose.
struct Material {
    const char* name;
    double factor;
    const char* source;
};
const std::array<Material, 3>& materials();
// The choice after the materials: the user gives the multiple.
inline constexpr const char* kOwnFactor = "係数を指定";

struct Joint {
    double thickness = 0; // clamped between the bearing face and the tapped part, mm
    double washer = 0; // washer thickness under the head, mm; 0 without a washer
    QString washerSymbol; // the washer thickness's symbol ("t1"); empty without a washer
    double factor = 1; // length of engagement as a multiple of d
    std::optional<double> depth; // usable thread depth of a blind tapped hole; none when through
};

enum class Fit {
    Fits,
    HoleTooShallow, // no listed length is long enough and still fits the blind hole
    LongerThanListed, // the length needed is beyond the size's longest listed length
    ShankInThread, // the plain shank would reach into the tapped part (lg > clamped thickness)
};

struct LengthChoice {
    Fit fit = Fit::Fits;
    int key = -1; // the shortest listed length at least `shortest`; -1 when there is none
    int length = 0; // its nominal length l, mm
    double clamped = 0; // thickness + washer
    double engagement = 0; // factor × d
    double shortest = 0; // clamped + engagement: l must be at least this
    std::optional<double> longest; // blind hole: clamped + depth; l must be at most this
    double engaged = 0; // l − clamped: the thread in the tapped part
    LengthRow row; // ls, lg and b of that length
    QString designation; // "M8×25"; empty unless it fits
    QStringList rules; // how it was decided, one sentence each
};

// The nominal diameter d of a size, mm ("M8" → 8).
int nominalDiameter(const SizeParameters& size);
LengthChoice chooseLength(const SizeParameters& size, const Joint& joint);

// A length's ls, lg and b with their symbols: "ls 10.75、lg 17、b 28" with separator "、".
QString lengthsText(const LengthRow& row, const QString& separator);

// A length in mm as shown: shortest decimal form, "." whatever the locale ("12.5", "22").
QString millimetres(double value);

} // namespace quill::lengths
