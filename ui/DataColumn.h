#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>

namespace rectix::ui {

// One column of a data grid: the cursor field it shows and how it shows it. A lookup field's
// column is edited through a drop-down list of the lookup's values; a column with a pick list
// through a drop-down list of those texts.
struct DataColumn {
    std::string field{};
    QString title{};     // empty: the field's label, which does not widen the column
    int widthChars = 0;  // 0: the field's display width
    int widthPixels = 0; // a design width in pixels; wins over widthChars
    bool visible = true;
    bool readOnly = false; // the field's own read-only setting applies as well
    QColor background{};   // invalid: the grid's colour
    QColor textColor{};    // invalid: the grid's colour
    std::optional<QFont> font{};
    Qt::Alignment alignment = {};      // none: numbers to the right, other values to the left
    QColor titleBackground{};          // invalid: the header's colour
    Qt::Alignment titleAlignment = {}; // none: the header's own (centred)
    QStringList pickList{};
    int dropDownRows = 7; // rows a drop-down list shows at once
};

} // namespace rectix::ui
