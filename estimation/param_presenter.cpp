#include "estimation/param_presenter.h"

#include <optional>
#include <string>
#include <vector>

#include "bathymetry/contour_store.h"
#include "bathymetry/spreading_relations.h"
#include "estimation/estimation_windows.h"
#include "estimation/messages.h"
#include "estimation/numeric_text.h"
#include "estimation/params.h"
#include "estimation/run_checks.h"
#include "estimation/solver_exchange.h"
#include "estimation/wave.h"
#include "geodesy/contour_query.h"
#include "geodesy/plane_rect.h"
#include "mapview/map_pick.h"
#include "platform/text.h"

namespace vornel {

namespace {

using namespace param_ids;

// A field is read into 256 characters, as the title is.
constexpr std::size_t kMaxFieldChars = 256;
constexpr std::size_t kMaxTitleBytes8 = 255;
// Guards of the relative depth and the deep-water test. The deep-water
// thresholds (9999 and 9990) differ from the depth sentinel on purpose.
constexpr double kRealLimit = 9999.9;
constexpr double kDeepWaterValueLimit = 9999.0;
constexpr double kDeepWaterDepthLimit = 9990.0;

// The first field (latitude degrees) of each point kind's group.
constexpr int kGroupFirst[4] = {kQuasiOffshoreFirst, kContourFirst, kDiffractionFirst, kOffshoreFirst};

bool inOpenRange(double v, double lo, double hi) {
    return v > lo && v < hi;
}

// An angle field's text; empty while the angle is not set.
std::wstring optionalAngleText(double degrees) {
    return degrees <= 360.0 ? angleText(degrees) : std::wstring();
}

// Which point group a coordinate field belongs to, and whether it is one of
// the three longitude fields; -1 for the other fields.
int coordinateKind(int id, bool& longitude) {
    for (int kind = 0; kind < 4; ++kind) {
        const int offset = id - kGroupFirst[kind];
        if (offset >= 0 && offset < 6) {
            longitude = offset >= 3;
            return kind;
        }
    }
    return -1;
}

}  // namespace

void ParamPresenter::open() {
    EstimationParams& p = estimationParams();
    for (int kind = 0; kind < 4; ++kind) p.point(kind).clear();
    p.thetaCon = NOT_SET_ANGLE;
    p.shoreNormal = NOT_SET_ANGLE;
    for (int& flag : programEditFlags_) flag = 0;

    dialog_.setChecked(kDiffractionOn, p.diffractionOff == 0);
    dialog_.setChecked(kDiffractionOff, p.diffractionOff != 0);

    const SpreadingRelationList& list = spreadingRelations();
    std::vector<std::wstring> entries(1);
    for (int i = 0; i < list.relationCount; ++i) entries.push_back(platform().fromCp932(list.relations[i].name));
    dialog_.setListEntries(kRelationList, entries);
    dialog_.selectListEntry(kRelationList, 0);

    EstimationWindows& windows = estimationWindows();
    windows.paramDialogOpen = 1;
    windows.paramDialog = dialog_.window();
    if (windows.resultDialogOpen == 1) host_.closeResultDialog();
}

bool ParamPresenter::isProgramEdit(int id) const {
    const int index = id - kFirstParamFieldId;
    return index >= 0 && index < kParamFieldCount && programEditFlags_[index] != 0;
}

bool ParamPresenter::anyProgramEdit() const {
    for (int flag : programEditFlags_)
        if (flag) return true;
    return false;
}

// Every write of the dialog's own is flagged first, so that its change report
// is taken for the echo it is and not for a user edit.
void ParamPresenter::programWrite(int id, const std::wstring& text) {
    programEditFlags_[id - kFirstParamFieldId] = 1;
    dialog_.setText(id, text);
}

void ParamPresenter::onFieldChanged(int id) {
    const int index = id - kFirstParamFieldId;
    if (index < 0 || index >= kParamFieldCount) return;
    if (anyProgramEdit()) {
        programEditFlags_[index] = 0;
        return;
    }
    std::wstring text = dialog_.text(id);
    if (text.size() > kMaxFieldChars) text.resize(kMaxFieldChars);
    const double value = textToReal(text);
    if (checkFieldEntry(dialog_.window(), index, textToInt(text), value, text)) {
        // The stored values keep what the last accepted text gave.
        programWrite(id, std::wstring());
        return;
    }
    runHandler(id, value);
}

void ParamPresenter::runHandler(int id, double value) {
    EstimationParams& p = estimationParams();
    bool longitude = false;
    const int kind = coordinateKind(id, longitude);
    if (kind >= 0) {
        coordinateEntry(kind, longitude);
        return;
    }
    switch (id) {
        case kQuasiOffshoreFirst + 6:
            p.quasiOffshorePoint.depth = value;
            refreshRelativeDepth(textToReal(dialog_.text(kPeriod)));
            break;
        case kPeriod:
            refreshRelativeDepth(value);
            if (inOpenRange(value, 0.0, kDeepWaterValueLimit) &&
                inOpenRange(p.offshorePoint.depth, 0.0, kDeepWaterDepthLimit))
                deepWaterWarning(p.offshorePoint.depth, value);
            break;
        case kContourFirst + 6:
            p.contourPoint.depth = value;
            break;
        case kThetaCon:
            p.thetaCon = value;
            refreshTheta();
            host_.redrawMap();
            break;
        case kDiffractionFirst + 6:
            p.diffractionPoint.depth = value;
            break;
        case kShoreNormal:
            p.shoreNormal = value;
            if (value <= 360.0) {
                programWrite(kThetaDiff, angleText(breakwaterNormal(value)));
                refreshTheta();
            }
            host_.redrawMap();
            break;
        case kThetaDiff:
            onThetaDiffChanged();
            break;
        case kOffshoreFirst + 6: {
            p.offshorePoint.depth = value;
            double period = 0.0;
            if (inOpenRange(value, 0.0, kDeepWaterValueLimit) &&
                readRealField(dialog_, kPeriod, 0.01, 99.0, period) == 1)
                deepWaterWarning(value, period);
            break;
        }
        default:
            break;  // θ, height, direction and h/L0 are read when a run starts
    }
}

// θdiff typed: the shore normal is its opposite direction.
void ParamPresenter::onThetaDiffChanged() {
    EstimationParams& p = estimationParams();
    programEditFlags_[kShoreNormal - kFirstParamFieldId] = 1;
    double thetaDiff = 0.0;
    if (readRealField(dialog_, kThetaDiff, 0.0, 360.0, thetaDiff) == 1) {
        p.shoreNormal = reduceAngleBelow360(thetaDiff + 180.0);
        dialog_.setText(kShoreNormal, angleText(p.shoreNormal));
        refreshTheta();
    } else {
        p.shoreNormal = NOT_SET_ANGLE;
        dialog_.setText(kShoreNormal, std::wstring());
    }
    host_.redrawMap();
}

void ParamPresenter::coordinateEntry(int kind, bool longitude) {
    EstimationPoint& point = estimationParams().point(kind);
    readCoordinate(kind, longitude);
    if (point.isSet()) storeProjected(kind);
    host_.redrawMap();
}

// The coordinate from its three fields, or its sentinel when one of them
// does not hold a valid part.
void ParamPresenter::readCoordinate(int kind, bool longitude) {
    EstimationPoint& point = estimationParams().point(kind);
    const int first = kGroupFirst[kind] + (longitude ? 3 : 0);
    int degrees = 0, minutes = 0;
    double seconds = 0.0;
    const bool valid = readIntField(dialog_, first, longitude ? 0 : -90, longitude ? 360 : 90, degrees) != 0 &&
                       readIntField(dialog_, first + 1, 0, 59, minutes) != 0 &&
                       readRealField(dialog_, first + 2, 0.0, 60.0, seconds) != 0;
    double& coordinate = longitude ? point.lon : point.lat;
    coordinate = valid ? degreesFromDms(degrees, minutes, seconds) : (longitude ? NOT_SET_LON : NOT_SET_LAT);
}

// A typed point: plane position about the data's origin, the depth and the
// contour directions there. Without contour data the depth (and for the
// diffraction point the shore normal) stay not set; the typed position stays.
void ParamPresenter::storeProjected(int kind) {
    EstimationParams& p = estimationParams();
    EstimationPoint& point = p.point(kind);
    const ProjectionOrigin& origin = contourStore().projectionOrigin;
    double north = 0.0, east = 0.0;
    toPlaneRect(point.lat, point.lon, origin.originLat, origin.originLon, north, east);
    PointQuery query;
    const bool found = estimatePointDepth(east, north, query) != 0;
    const double depth = found ? query.entry[0].depth : NOT_SET_DEPTH;

    if (kind == POINT_DIFFRACTION) {
        // The tip sits on the contour line nearest to the typed position.
        point.north = found ? query.entry[1].north : north;
        point.east = found ? query.entry[1].east : east;
        if (found) p.shoreNormal = reduceAngle(90.0 - query.primaryDirection);
        writeShoreNormal();
        refreshTheta();
        return;
    }
    point.north = north;
    point.east = east;
    point.depth = depth;
    programWrite(kGroupFirst[kind] + 6, depthText(depth));
    if (kind == POINT_QUASI_OFFSHORE) {
        const double period = textToReal(dialog_.text(kPeriod));
        if (inOpenRange(period, 0.0, kRealLimit)) refreshRelativeDepth(period);
        refreshTheta();
    } else if (kind == POINT_CONTOUR) {
        if (found) p.thetaCon = reduceAngle(90.0 - query.meanDirection);
        programWrite(kThetaCon, optionalAngleText(p.thetaCon));
        refreshTheta();
    }
}

void ParamPresenter::writeShoreNormal() {
    const double shoreNormal = estimationParams().shoreNormal;
    programWrite(kShoreNormal, optionalAngleText(shoreNormal));
    programWrite(kThetaDiff, shoreNormal <= 360.0 ? angleText(breakwaterNormal(shoreNormal)) : std::wstring());
}

void ParamPresenter::refreshRelativeDepth(double period) {
    const double depth = estimationParams().quasiOffshorePoint.depth;
    if (inOpenRange(period, 0.0, kRealLimit) && inOpenRange(depth, 0.0, kRealLimit))
        programWrite(kRelativeDepth, widen(format("%5.3f", relativeDepth(depth, period))));
    else
        programWrite(kRelativeDepth, std::wstring());
}

void ParamPresenter::refreshTheta() {
    double theta = 0.0;
    if (computeBreakwaterAngle(theta)) programWrite(kTheta, angleText(theta));
}

void ParamPresenter::setPointFromMap(int kind) {
    if (kind < 0 || kind > 3) return;
    EstimationParams& p = estimationParams();
    const MapPickRecord& pick = mapPick();
    EstimationPoint& point = p.point(kind);
    p.lastSetKind = kind;
    p.undo.lat = point.lat;
    p.undo.lon = point.lon;
    p.undo.depth = point.depth;
    p.undo.north = point.north;
    p.undo.east = point.east;
    if (kind == POINT_CONTOUR) p.undo.angle = p.thetaCon;
    if (kind == POINT_DIFFRACTION) p.undo.angle = p.shoreNormal;

    // The open-sea points are where the user clicked; the contour point and the
    // breakwater tip lie on the nearest contour line.
    const bool onContour = kind == POINT_CONTOUR || kind == POINT_DIFFRACTION;
    const PickEntry& e = pick.entry[onContour ? 1 : 0];
    point.lat = e.lat;
    point.lon = e.lon;
    point.depth = e.depth;
    point.north = e.north;
    point.east = e.east;
    const double normal = reduceAngle(90.0 - pick.primaryDirection);
    if (kind == POINT_CONTOUR) p.thetaCon = normal;
    if (kind == POINT_DIFFRACTION) p.shoreNormal = normal;
    showPoint(kind);
}

void ParamPresenter::undo() {
    EstimationParams& p = estimationParams();
    if (p.lastSetKind < 0) return;
    // The results on screen belong to the case before the undo.
    if (estimationWindows().resultDialogOpen == 1) host_.closeResultDialog();
    const int kind = p.lastSetKind;
    p.lastSetKind = -1;
    EstimationPoint& point = p.point(kind);
    point.lat = p.undo.lat;
    point.lon = p.undo.lon;
    point.depth = p.undo.depth;
    point.north = p.undo.north;
    point.east = p.undo.east;
    // An angle that was not set stays not set: reduced, 999.9 would become 279.9°.
    const double angle = p.undo.angle <= 360.0 ? reduceAngle(p.undo.angle) : NOT_SET_ANGLE;
    if (kind == POINT_CONTOUR) p.thetaCon = angle;
    if (kind == POINT_DIFFRACTION) p.shoreNormal = angle;
    showPoint(kind);
}

void ParamPresenter::showPoint(int kind) {
    EstimationParams& p = estimationParams();
    switch (kind) {
        case POINT_QUASI_OFFSHORE:
            refreshRelativeDepth(textToReal(dialog_.text(kPeriod)));
            refreshTheta();
            break;
        case POINT_CONTOUR:
            programWrite(kThetaCon, optionalAngleText(p.thetaCon));
            refreshTheta();
            break;
        case POINT_DIFFRACTION:
            writeShoreNormal();
            refreshTheta();
            break;
        default:
            break;
    }

    const EstimationPoint& point = p.point(kind);
    const int first = kGroupFirst[kind];
    for (int i = 0; i < 7; ++i) programEditFlags_[first + i - kFirstParamFieldId] = 1;
    const DmsTexts lat = showDms(point.lat, false);
    const DmsTexts lon = showDms(point.lon, true);
    const std::wstring texts[7] = {lat.degrees, lat.minutes, lat.seconds,           lon.degrees,
                                   lon.minutes, lon.seconds, depthText(point.depth)};
    for (int i = 0; i < 7; ++i) programWrite(first + i, texts[i]);
    host_.redrawMap();

    double period = 0.0;
    if (kind == POINT_OFFSHORE && p.offshorePoint.depth < kDeepWaterDepthLimit &&
        readRealField(dialog_, kPeriod, 0.01, 99.0, period) == 1)
        deepWaterWarning(p.offshorePoint.depth, period);
}

void ParamPresenter::clear() {
    // Other data or an emptied dialog: the results on screen are no longer its case.
    if (estimationWindows().resultDialogOpen == 1) host_.closeResultDialog();
    // Not flagged: each empty text goes through change handling as a user edit,
    // so that every handler forgets what the field gave.
    for (int id = kFirstParamFieldId; id <= kLastField; ++id)
        if (id != kThetaDiff + 1) dialog_.setText(id, std::wstring());  // 1529 has no field
    EstimationParams& p = estimationParams();
    for (int kind = 0; kind < 4; ++kind) p.point(kind).clear();
    p.thetaCon = NOT_SET_ANGLE;
    p.shoreNormal = NOT_SET_ANGLE;
    host_.redrawMap();
}

std::optional<std::string> ParamPresenter::runTitle(const char* caption) {
    std::wstring wideTitle = dialog_.text(kTitle);
    if (wideTitle.size() > kMaxFieldChars) wideTitle.resize(kMaxFieldChars);
    // The title names the solver's files: a character that Shift_JIS lacks
    // would become '?' and name no file the solver could write.
    const std::optional<std::string> exactTitle = exactCp932(wideTitle);
    if (!exactTitle) {
        platform().warn(dialog_.window(), widen(caption), widen(msg::kTitleNotShiftJis) + L"[" + wideTitle + L"]");
        return std::nullopt;
    }
    std::string title = *exactTitle;
    if (title.size() > kMaxTitleBytes8) title.resize(kMaxTitleBytes8);
    if (title.empty()) title = "Test";
    return title;
}

void ParamPresenter::start() {
    double height = NOT_SET_ANGLE, period = NOT_SET_ANGLE, direction = NOT_SET_ANGLE, theta = NOT_SET_ANGLE;
    readRealField(dialog_, kHeight, 0.01, 99.0, height);
    readRealField(dialog_, kPeriod, 0.01, 99.0, period);
    readRealField(dialog_, kDirection, 0.0, 360.0, direction);
    if (estimationParams().diffractionOff == 0) readRealField(dialog_, kTheta, 0.0, 360.0, theta);

    const std::optional<std::string> checkedTitle = runTitle(msg::kRunCaption);
    if (!checkedTitle) return;
    const std::string& title = *checkedTitle;

    int relation = dialog_.selectedListEntry(kRelationList);
    if (relation < 0) relation = 0;
    // The texts as they stand now go with the results: the report of this
    // run never takes what the dialog shows later.
    const FieldSnapshot fields(dialog_, reportFieldIds());
    runEstimation(dialog_.window(), title, relation, theta, height, period, direction, &fields);
}

bool ParamPresenter::prepareBatch(BatchStart& out) {
    out = BatchStart();
    double theta = NOT_SET_ANGLE;
    const EstimationParams& p = estimationParams();
    if (p.diffractionOff == 0) readRealField(dialog_, kTheta, 0.0, 360.0, theta);
    const std::optional<std::string> title = runTitle(msg::kBatchCaption);
    if (!title) return false;
    // The checks of 計算開始 for the site; the wave comes from each record.
    const std::wstring problems = checkRunInputs(*title, theta, 1.0, 1.0, 0.0);
    if (!problems.empty()) {
        platform().warn(dialog_.window(), widen(msg::kBatchCaption), problems);
        return false;
    }
    out.site = solverCaseOf(p, *title, theta, 0.0, 0.0, 0.0);
    out.relationIndex = std::max(dialog_.selectedListEntry(kRelationList), 0);
    out.fields = FieldSnapshot(dialog_, reportFieldIds());
    out.diffractionOff = p.diffractionOff != 0;
    out.offshoreDepth = p.offshorePoint.depth;
    out.tipDistance = tipToPointDistance(p);
    out.ok = true;
    return true;
}

void ParamPresenter::restoreCase(const ReopenedCase& saved) {
    EstimationParams& p = estimationParams();
    chooseDiffraction(saved.diffractionOff ? kDiffractionOff : kDiffractionOn);
    for (int id = kFirstParamFieldId; id <= kLastField; ++id) {
        // h/L0 is worked out below; 1529 has no control, so no echo would
        // ever clear its flag.
        if (id == kRelativeDepth || id == kThetaDiff + 1) continue;
        programWrite(id, saved.fieldTexts[id - kFirstParamFieldId]);
    }
    const auto valueOr = [this](int id, double notSet) {
        const std::wstring text = dialog_.text(id);
        return text.empty() ? notSet : textToReal(text);
    };
    // The depths and angles are the report's; only the plane positions come
    // from the data shown now, so that the markers show where the points are.
    const ProjectionOrigin& origin = contourStore().projectionOrigin;
    for (int kind = POINT_QUASI_OFFSHORE; kind <= POINT_OFFSHORE; ++kind) {
        EstimationPoint& point = p.point(kind);
        readCoordinate(kind, false);
        readCoordinate(kind, true);
        if (point.isSet()) toPlaneRect(point.lat, point.lon, origin.originLat, origin.originLon, point.north, point.east);
        point.depth = valueOr(kGroupFirst[kind] + 6, NOT_SET_DEPTH);
    }
    p.thetaCon = valueOr(kThetaCon, NOT_SET_ANGLE);
    // The solver gets θdiff, so it is taken as shown rather than worked out
    // again from the rounded shore normal.
    const double thetaDiff = valueOr(kThetaDiff, NOT_SET_ANGLE);
    p.shoreNormal = thetaDiff <= 360.0 ? reduceAngleBelow360(thetaDiff + 180.0) : valueOr(kShoreNormal, NOT_SET_ANGLE);
    p.lastSetKind = -1;  // an undo would bring back a point of the case before
    refreshRelativeDepth(textToReal(dialog_.text(kPeriod)));
    dialog_.selectListEntry(kRelationList, saved.relationIndex);
    dialog_.setText(kTitle, saved.title);
    if (estimationWindows().resultDialogOpen == 1) host_.closeResultDialog();
    host_.redrawMap();
}

void ParamPresenter::close(int result) {
    estimationWindows().paramDialogOpen = -1;
    host_.endDialog(result);
}

void ParamPresenter::chooseDiffraction(int radioId) {
    estimationParams().diffractionOff = radioId - kDiffractionOn;
    dialog_.setChecked(kDiffractionOn, radioId == kDiffractionOn);
    dialog_.setChecked(kDiffractionOff, radioId == kDiffractionOff);
}

bool ParamPresenter::onCommand(int id) {
    if (id >= kSetKindFirst && id < kSetKindFirst + 4) {
        setPointFromMap(id - kSetKindFirst);
        return true;
    }
    switch (id) {
        case 1:
            start();
            return true;
        case 2:
            // Esc. Japanese users press it to cancel a conversion, often twice;
            // the dialog has no close button and would reopen empty at the
            // next paint of the map, so Esc keeps it. 1499 closes it.
            return true;
        case kClose:
            close(id);
            return true;
        case kUndo:
            undo();
            return true;
        case kClear:
            clear();
            return true;
        case kDiffractionOn:
        case kDiffractionOff:
            chooseDiffraction(id);
            return true;
    }
    return false;
}

}  // namespace vornel
