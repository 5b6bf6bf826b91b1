#include "TaskFile.h"

#include "engine/SizeLimits.h"
#include "taskdb/ValueRanges.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <set>

namespace rectix::tools {

using nlohmann::json;

namespace {

struct Reader {
    const json& obj;
    std::string where;

    bool has(const char* name) const { return obj.contains(name) && !obj.at(name).is_null(); }

    long long integer(const char* name, long long lo, long long hi,
                      std::optional<long long> dflt = {}) const {
        if (!has(name)) {
            if (dflt) return *dflt;
            throw TaskFileError(where + name + ": missing");
        }
        const json& v = obj.at(name);
        if (!v.is_number()) throw TaskFileError(where + name + ": not a whole number");
        // Read as a double first: an integer past 64 bits arrives as one, and an
        // unsigned one past the signed range must not wrap.
        const double d = v.get<double>();
        if (!std::isfinite(d) || std::trunc(d) != d)
            throw TaskFileError(where + name + ": not a whole number");
        if (d < static_cast<double>(lo) || d > static_cast<double>(hi))
            throw TaskFileError(where + name + ": " + v.dump() + " is outside " + std::to_string(lo) + ".." +
                                std::to_string(hi));
        return v.is_number_integer() && !v.is_number_unsigned() ? v.get<long long>()
                                                                : static_cast<long long>(d);
    }

    // A whole number in the range that the table rules keep for the field.
    long long ranged(const char* name, const char* table, const char* field,
                     std::optional<long long> dflt = {}) const {
        const taskdb::ValueRange& r = *taskdb::valueRange(table, field);
        return integer(name, static_cast<long long>(r.low), static_cast<long long>(r.high), dflt);
    }

    double number(const char* name, double lo, double hi, double dflt) const {
        if (!has(name)) return dflt;
        const json& v = obj.at(name);
        if (!v.is_number()) throw TaskFileError(where + name + ": not a number");
        const double d = v.get<double>();
        if (!(d >= lo && d <= hi))
            throw TaskFileError(where + name + ": outside " + std::to_string(lo) + ".." + std::to_string(hi));
        return d;
    }

    double cost(const char* table) const {
        const taskdb::ValueRange& r = *taskdb::valueRange(table, "Cost");
        return number("Cost", r.low, r.high, 0);
    }

    bool boolean(const char* name, bool dflt) const {
        if (!has(name)) return dflt;
        if (!obj.at(name).is_boolean()) throw TaskFileError(where + name + ": not true or false");
        return obj.at(name).get<bool>();
    }

    std::string text(const char* name, std::size_t maxLen, const std::string& dflt) const {
        if (!has(name)) return dflt;
        if (!obj.at(name).is_string()) throw TaskFileError(where + name + ": not a text");
        std::string s = obj.at(name).get<std::string>();
        if (s.size() > maxLen) s.resize(maxLen);
        return s;
    }
};

constexpr long long i16Max = std::numeric_limits<std::int16_t>::max();
constexpr long long i32Max = std::numeric_limits<std::int32_t>::max();
// The deepest objects of a task file are the boxes of a fixed container.
constexpr int maxNesting = 4;

json parseTask(const std::string& text) {
    try {
        // Refused while parsing, before anything walks the nesting.
        return json::parse(text, [](int depth, json::parse_event_t event, json&) {
            if ((event == json::parse_event_t::object_start || event == json::parse_event_t::array_start) &&
                depth > maxNesting)
                throw TaskFileError("nesting deeper than a task file has");
            return true;
        });
    } catch (const json::exception& e) {
        // Syntax errors and numbers too large for any type alike.
        throw TaskFileError(std::string("not valid JSON: ") + e.what());
    }
}

// The first row of `rows` whose key is the key of an earlier row: rows of one task are told apart
// by their keys, as in a table set.
void refuseRepeatedKey(const char* rows, const char* key, const std::vector<std::int32_t>& keys) {
    std::map<std::int32_t, std::size_t> first;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (const auto [at, added] = first.emplace(keys[i], i); !added)
            throw TaskFileError(std::string(rows) + "[" + std::to_string(i) + "]." + key + ": " +
                                std::to_string(keys[i]) + " is the " + key + " of " + rows + "[" +
                                std::to_string(at->second) + "] too");
}

// A side or support span that a run could not hold.
void refuseSize(const engine::PackProblem& p, const std::optional<engine::SizeLimits::Found>& found) {
    using engine::SizeLimits;
    if (!found) return;
    const SizeLimits::Breach& b = found->breach;
    const std::string row =
        std::string(found->container ? "containers[" : "boxes[") + std::to_string(found->entry - 1) + "]";
    const std::string gaps = "ItemGap " + std::to_string(p.settings.itemGap) +
                             (found->container ? " and EdgeGap " + std::to_string(p.settings.edgeGap) : "");
    if (b.figure == SizeLimits::Figure::SupportSpan)
        throw TaskFileError(row + ": Length - NoseDL - TailDL is " + std::to_string(b.value) +
                            "; for a load of " + std::to_string(b.load) + " it must be at least " +
                            std::to_string(b.limit));
    throw TaskFileError(row + (b.figure == SizeLimits::Figure::Length ? ".Length: " : ".Width: ") +
                        std::to_string(b.value) + " is more than " + std::to_string(b.limit) +
                        ", the most a run can hold with " + gaps);
}

std::int16_t fillDirOf(const std::string& s) {
    if (s == "Length") return 1;
    if (s == "Width") return 2;
    return 0;
}

// The fixed containers of the task: each type and kind named must have a free
// instance left, each box lies inside its container with the sides of its
// kind, turned only where the turn rules let it, and clear of the container's
// other boxes, and the load numbers of a container are 1..its box count.
std::vector<FixedContainer> readFixed(const json& doc, const engine::PackProblem& p) {
    std::vector<FixedContainer> out;
    if (!doc.contains("fixed")) return out;
    const json& list = doc.at("fixed");
    if (!list.is_array()) throw TaskFileError("fixed: not a list");
    std::map<std::int32_t, long long> contsLeft, boxesLeft;
    for (int t = 1; t <= p.contTypeCount; ++t) contsLeft[p.contTypes.typeID[t]] += p.contTypes.avail[t];
    for (int k = 1; k <= p.boxKindCount; ++k) boxesLeft[p.boxKinds.kindID[k]] += p.boxKinds.total[k];
    int i = 0;
    for (const json& row : list) {
        const std::string where = "fixed[" + std::to_string(i++) + "]";
        if (!row.is_object()) throw TaskFileError(where + ": not an object");
        const Reader c{row, where + "."};
        FixedContainer fc;
        fc.typeID = static_cast<std::int32_t>(c.integer("TypeID", 0, i32Max));
        if (contsLeft[fc.typeID]-- < 1) throw TaskFileError(where + ".TypeID: no free container of the type");
        int t = 1;
        while (p.contTypes.typeID[t] != fc.typeID) ++t;
        if (!row.contains("boxes") || !row.at("boxes").is_array())
            throw TaskFileError(where + ".boxes: missing or not a list");
        const auto count = static_cast<long long>(row.at("boxes").size());
        std::set<long long> loadNos;
        int j = 0;
        for (const json& boxRow : row.at("boxes")) {
            const std::string at = where + ".boxes[" + std::to_string(j++) + "]";
            if (!boxRow.is_object()) throw TaskFileError(at + ": not an object");
            const Reader b{boxRow, at + "."};
            FixedBox fb;
            fb.kindID = static_cast<std::int32_t>(b.integer("KindID", 0, i32Max));
            if (boxesLeft[fb.kindID]-- < 1) throw TaskFileError(at + ".KindID: no free box of the kind");
            int k = 1;
            while (p.boxKinds.kindID[k] != fb.kindID) ++k;
            fb.posX = static_cast<std::int16_t>(b.integer("PosX", 0, i16Max));
            fb.posY = static_cast<std::int16_t>(b.integer("PosY", 0, i16Max));
            fb.posLh = static_cast<std::int16_t>(b.integer("PosLh", 1, i16Max));
            fb.posWh = static_cast<std::int16_t>(b.integer("PosWh", 1, i16Max));
            fb.loadNo = static_cast<std::int16_t>(b.integer("LoadNo", 1, count));
            const auto& bk = p.boxKinds;
            if (!(fb.posLh == bk.length[k] && fb.posWh == bk.width[k]) &&
                !(fb.posLh == bk.width[k] && fb.posWh == bk.length[k]))
                throw TaskFileError(at + ": PosLh x PosWh is not the kind's size");
            const bool mayTurn = p.settings.taskDefltOn ? p.settings.taskTurnOn : bk.turnOn[k];
            if (fb.posLh != bk.length[k] && !mayTurn)
                throw TaskFileError(at + ": turned, but the kind may not turn");
            if (fb.posX + fb.posLh > p.contTypes.length[t] || fb.posY + fb.posWh > p.contTypes.width[t])
                throw TaskFileError(at + ": outside the container");
            if (!loadNos.insert(fb.loadNo).second) throw TaskFileError(at + ".LoadNo: used twice");
            for (std::size_t e = 0; e < fc.boxes.size(); ++e) {
                const FixedBox& o = fc.boxes[e];
                if (fb.posX < o.posX + o.posLh && o.posX < fb.posX + fb.posLh && fb.posY < o.posY + o.posWh &&
                    o.posY < fb.posY + fb.posWh)
                    throw TaskFileError(at + ": overlaps " + where + ".boxes[" + std::to_string(e) + "]");
            }
            fc.boxes.push_back(fb);
        }
        out.push_back(std::move(fc));
    }
    return out;
}

} // namespace

std::vector<FixedContainer> loadTaskJson(const std::string& text, engine::PackProblem& p) {
    const json doc = parseTask(text);
    if (!doc.is_object()) throw TaskFileError("the task is not a JSON object");
    for (const char* list : {"containers", "boxes"})
        if (!doc.contains(list) || !doc.at(list).is_array() || doc.at(list).empty())
            throw TaskFileError(std::string(list) + ": missing or empty");

    p.resetProblem(p.startSolution);
    static const json noSettings = json::object();
    const json& settings = doc.contains("settings") ? doc.at("settings") : noSettings;
    if (!settings.is_object()) throw TaskFileError("settings: not an object");
    const Reader s{settings, "settings."};
    auto& r = p.settings;
    r.intensity = static_cast<std::int16_t>(s.ranged("Intensity", "tasks", "Power", 5));
    r.timeLimitMs = static_cast<double>(s.ranged("TimeLimitS", "tasks", "Time", 555)) * 1000.0;
    r.seed = static_cast<std::int16_t>(s.ranged("Seed", "tasks", "Rand", 1));
    r.weightFactor = static_cast<float>(
        static_cast<long double>(s.ranged("WeightFactor", "tasks", "WeightFactor", 0)) * 0.01L);
    r.bindGroupFactor = static_cast<float>(
        static_cast<long double>(s.ranged("BindGroupFactor", "tasks", "BindGroupFactor", 0)) * 0.1L);
    r.costFactor =
        static_cast<float>(static_cast<long double>(s.ranged("CostFactor", "tasks", "Qc", 0)) * 0.01L);
    r.leftFactor =
        static_cast<float>(static_cast<long double>(s.ranged("LeftFactor", "tasks", "Qr", 0)) * 0.01L);
    r.itemGap = static_cast<std::int16_t>(s.ranged("ItemGap", "tasks", "BB", 0));
    r.edgeGap = static_cast<std::int16_t>(s.ranged("EdgeGap", "tasks", "BW", 0));
    r.ignoreLast = s.boolean("IgnoreLast", true);
    r.taskDefltOn = s.boolean("TaskDefltOn", true);
    r.taskTurnOn = s.boolean("TaskTurnOn", true);

    long long containers = 0, boxes = 0;
    const json& conts = doc.at("containers");
    if (conts.size() > engine::maxTaskContainers) throw TaskFileError("containers: more than 24 rows");
    int t = 0;
    for (const json& row : conts) {
        ++t;
        if (!row.is_object()) throw TaskFileError("containers[" + std::to_string(t - 1) + "]: not an object");
        const Reader c{row, "containers[" + std::to_string(t - 1) + "]."};
        auto& ct = p.contTypes;
        ct.typeID[t] = static_cast<std::int32_t>(c.integer("TypeID", 0, i32Max));
        ct.mark[t] = c.text("Mark", 3, "?");
        ct.length[t] = static_cast<std::int16_t>(c.ranged("Length", "conts", "Length"));
        ct.width[t] = static_cast<std::int16_t>(c.ranged("Width", "conts", "Width"));
        ct.loadWt[t] = static_cast<std::int32_t>(c.ranged("LoadWt", "conts", "LoadWt"));
        ct.fillDir[t] = fillDirOf(c.text("FillDir", 6, "Either"));
        ct.cost[t] = static_cast<float>(c.cost("tc"));
        ct.avail[t] = static_cast<std::int16_t>(c.ranged("Avail", "tc", "Avail"));
        ct.noseDL[t] = static_cast<std::int16_t>(c.ranged("NoseDL", "conts", "NoseDL", 0));
        ct.tailDL[t] = static_cast<std::int16_t>(c.ranged("TailDL", "conts", "TailDL", 0));
        ct.noseWt[t] = static_cast<std::int32_t>(c.ranged("NoseWt", "conts", "NoseWt", 0));
        ct.tailWt[t] = static_cast<std::int32_t>(c.ranged("TailWt", "conts", "TailWt", 0));
        if (ct.noseDL[t] + ct.tailDL[t] >= ct.length[t])
            throw TaskFileError(c.where + "NoseDL + TailDL: must be less than Length");
        ct.area[t] = static_cast<float>(static_cast<long double>(ct.length[t]) * ct.width[t]);
        containers += ct.avail[t];
        if (containers > engine::maxTaskContainers) throw TaskFileError("containers: more than 24 in all");
    }
    p.contTypeCount = static_cast<std::int16_t>(t);

    const json& kinds = doc.at("boxes");
    if (kinds.size() > engine::maxTaskBoxes) throw TaskFileError("boxes: more than 1000 rows");
    int k = 0;
    for (const json& row : kinds) {
        ++k;
        if (!row.is_object()) throw TaskFileError("boxes[" + std::to_string(k - 1) + "]: not an object");
        const Reader b{row, "boxes[" + std::to_string(k - 1) + "]."};
        auto& bk = p.boxKinds;
        bk.kindID[k] = static_cast<std::int32_t>(b.integer("KindID", 0, i32Max));
        bk.name[k] = b.text("Kind", 25, "??");
        bk.mark[k] = b.text("Mark", 2, "?");
        bk.length[k] = static_cast<std::int16_t>(b.ranged("Length", "boxes", "Length"));
        bk.width[k] = static_cast<std::int16_t>(b.ranged("Width", "boxes", "Width"));
        bk.weight[k] = static_cast<std::int32_t>(b.ranged("Weight", "boxes", "Weight"));
        bk.turnOn[k] = b.boolean("TurnOn", true);
        bk.cost[k] = static_cast<float>(b.cost("tb"));
        bk.total[k] = static_cast<std::int16_t>(b.ranged("Total", "tb", "Total"));
        bk.area[k] = static_cast<float>(static_cast<long double>(bk.length[k]) * bk.width[k]);
        boxes += bk.total[k];
        if (boxes > engine::maxTaskBoxes) throw TaskFileError("boxes: more than 1000 in all");
    }
    p.boxKindCount = static_cast<std::int16_t>(k);
    refuseRepeatedKey(
        "containers", "TypeID",
        std::vector<std::int32_t>(&p.contTypes.typeID[1], &p.contTypes.typeID[1] + p.contTypeCount));
    refuseRepeatedKey(
        "boxes", "KindID",
        std::vector<std::int32_t>(&p.boxKinds.kindID[1], &p.boxKinds.kindID[1] + p.boxKindCount));
    refuseSize(p, engine::SizeLimits::firstIn(p));
    return readFixed(doc, p);
}

void prepareStart(engine::PackProblem& p, const std::vector<FixedContainer>& fixed) {
    p.prepareInstances();
    auto& start = p.startSolution;
    for (const FixedContainer& fc : fixed) {
        int c = 1;
        while (p.contTypes.typeID[p.contInstType[c]] != fc.typeID || start.fixCont[c]) ++c;
        start.fixCont[c] = true;
        for (const FixedBox& fb : fc.boxes) {
            int b = 1;
            while (p.boxKinds.kindID[p.boxInstKind[b]] != fb.kindID || start.contNo[b] != 0) ++b;
            start.contNo[b] = static_cast<std::int16_t>(c);
            start.loadNo[b] = fb.loadNo;
            start.posX[b] = fb.posX;
            start.posY[b] = fb.posY;
            start.posLh[b] = fb.posLh;
            start.posWh[b] = fb.posWh;
        }
    }
    refuseSize(p, engine::SizeLimits::firstLoadedIn(p, start));
    p.computeContainerLoads(p.startSolution);
    p.countPlacedAndUsed(p.startSolution);
    p.evaluateSolution(p.startSolution, false);
}

// The run's seconds as the engine stores them, with a point whatever the C library's locale.
static double storedSeconds(const std::string& text) {
    double seconds = 0;
    std::from_chars(text.data(), text.data() + text.size(), seconds);
    return seconds;
}

std::string planJson(const engine::PackProblem& p, const engine::PackRun& run, long long fills) {
    const auto& s = p.resultSolution;
    json out = json::object();
    out["Score"] = s.score;
    out["AreaFill"] = s.areaFill;
    out["WeightFill"] = s.weightFill;
    out["UsedConts"] = s.usedConts;
    out["LoadedBoxes"] = s.loadedBoxes;
    out["BoxCount"] = p.boxCount;
    out["ContCount"] = p.contCount;
    out["LastCont"] = s.lastCont;
    out["StopRun"] = p.stopRun;
    out["ElapsedMs"] = static_cast<long long>(std::llround(storedSeconds(run.lastRunSeconds) * 1000));
    out["Fills"] = fills;
    json conts = json::array();
    for (int c = 1; c <= p.contCount; ++c) {
        conts.push_back({{"ContNo", c},
                         {"TypeID", p.contTypes.typeID[p.contInstType[c]]},
                         {"BoxLoad", s.boxLoad[c]},
                         {"WgtLoad", s.wgtLoad[c]},
                         {"WolLoad", s.wolLoad[c]},
                         {"CostLoad", s.costLoad[c]},
                         {"NoseLoad", s.noseLoad[c]},
                         {"TailLoad", s.tailLoad[c]},
                         {"VolEff", s.volEff[c]},
                         {"WgtEff", s.wgtEff[c]}});
    }
    out["containers"] = conts;
    json boxes = json::array();
    for (int b = 1; b <= p.boxCount; ++b) {
        boxes.push_back({{"BoxNo", b},
                         {"KindID", p.boxKinds.kindID[p.boxInstKind[b]]},
                         {"ContNo", s.contNo[b]},
                         {"LoadNo", s.loadNo[b]},
                         {"PosX", s.posX[b]},
                         {"PosY", s.posY[b]},
                         {"PosLh", s.posLh[b]},
                         {"PosWh", s.posWh[b]}});
    }
    out["boxes"] = boxes;
    return out.dump();
}

} // namespace rectix::tools
