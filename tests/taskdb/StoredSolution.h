#pragma once

#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>

namespace rectix::taskdb::test {

// Builds the libraries, one task and its stored solution from a ".solution" file of tests/data
// (its comments name the lines), through the data module's cursors; the task stays current.
inline void loadSolution(DataModule& dm, RunStore& store, const std::string& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read " + file);
    std::map<std::string, std::int32_t> types, kinds;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word, name;
        words >> word;
        if (word.empty() || word[0] == '#') continue;
        if (word == "areamult") {
            words >> store.areaMult;
        } else if (word == "container" || word == "box") {
            int length = 0, width = 0, weight = 0;
            std::string mark;
            words >> name >> length >> width >> weight >> mark;
            // A container's supports may follow its mark: NoseWt TailWt NoseDL TailDL.
            int supports[4] = {};
            const bool withSupports =
                static_cast<bool>(words >> supports[0] >> supports[1] >> supports[2] >> supports[3]);
            const bool container = word == "container";
            bool& editMode = container ? store.cntEditMode : store.boxEditMode;
            const bool mode = std::exchange(editMode, true);
            dataset::Cursor& library = container ? dm.conts : dm.boxes;
            library.append();
            library.field(container ? "Type" : "Kind").setString(name);
            library.field("Length").setInteger(length);
            library.field("Width").setInteger(width);
            library.field(container ? "LoadWt" : "Weight").setInteger(weight);
            if (!mark.empty()) library.field("Mark").setString(mark);
            // Kinds that may turn: the files' plans hold turned boxes.
            if (!container) library.field("TurnOn").setBoolean(true);
            if (container && withSupports) {
                const char* names[] = {"NoseWt", "TailWt", "NoseDL", "TailDL"};
                for (int i = 0; i < 4; ++i) library.field(names[i]).setInteger(supports[i]);
            }
            library.post();
            editMode = mode;
            (container ? types : kinds)[name] = library.field(container ? "TypeID" : "KindID").asInteger();
        } else if (word == "task") {
            std::getline(words >> std::ws, name);
            dm.tasks.append(); // the new task is stored at once
            dm.tasks.edit();
            dm.tasksName.setString(name);
            dm.tasksDate.setDate(
                dataset::CalendarDate(std::chrono::year(2026), std::chrono::month(12), std::chrono::day(6)));
            // Settings in their ranges, as a solve stores them.
            dm.tasksTime.setInteger(555);
            dm.tasksRand.setInteger(1);
            dm.tasks.post();
        } else if (word == "tc" || word == "tb") {
            int amount = 0, count = 0;
            double cost = 0;
            words >> name >> amount >> count >> cost;
            dataset::Cursor& rows = word == "tc" ? dm.tc : dm.tb;
            rows.append();
            if (word == "tc") {
                dm.tcTypeID.setInteger(types.at(name));
                dm.tcAvail.setInteger(amount);
                dm.tcUsed.setInteger(count);
                dm.tcCost.setFloat(cost);
            } else {
                dm.tbKindID.setInteger(kinds.at(name));
                dm.tbTotal.setInteger(amount);
                dm.tbPlaced.setInteger(count);
                dm.tbCost.setFloat(cost);
            }
            rows.post();
        } else if (word == "cont") {
            int contNo = 0, boxLoad = 0, wgtLoad = 0, nose = 0, tail = 0;
            double wolLoad = 0, cost = 0;
            words >> contNo >> name >> boxLoad >> wgtLoad >> wolLoad >> cost >> nose >> tail;
            dm.solut.append();
            dm.solutContNo.setInteger(contNo);
            dm.solutTypeID.setInteger(types.at(name));
            dm.solutBoxLoad.setInteger(boxLoad);
            dm.solutWgtLoad.setInteger(wgtLoad);
            dm.solutWolLoad.setFloat(wolLoad);
            dm.solutCostLoad.setFloat(cost);
            dm.solutNoseLoad.setInteger(nose);
            dm.solutTailLoad.setInteger(tail);
            dm.solutFixCont.setBoolean(false);
            dm.solut.post();
        } else if (word == "kind") {
            int placed = 0;
            words >> name >> placed;
            dm.distr.append();
            dm.distrKindID.setInteger(kinds.at(name));
            dm.distrPlaced.setInteger(placed);
            dm.distr.post();
        } else if (word == "pos") {
            int boxNo = 0, x = 0, y = 0, length = 0, width = 0, loadNo = 0;
            words >> boxNo >> name >> x >> y >> length >> width >> loadNo;
            dm.posit.append();
            dm.positBoxNo.setInteger(boxNo);
            dm.positKindID.setInteger(kinds.at(name));
            dm.positPosX.setInteger(x);
            dm.positPosY.setInteger(y);
            dm.positPosLh.setInteger(length);
            dm.positPosWh.setInteger(width);
            dm.positLoadNo.setInteger(loadNo);
            dm.posit.post();
        } else {
            throw std::runtime_error(file + ": unknown line " + line);
        }
    }
    dm.tasks.edit();
    dm.tasksSolut.setBoolean(true);
    dm.tasks.post();
    store.solutionState = true;
    dm.solut.first();
}

} // namespace rectix::taskdb::test
