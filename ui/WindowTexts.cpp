#include "ui/WindowTexts.h"

#include "ui/QtTranslation.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>

#include <stdexcept>

namespace rectix::ui {

namespace {

using lang::Property;

QString composed(const lang::WindowText& t) {
    const QString text = QString::fromUtf8(t.text);
    switch (t.compose) {
    case lang::Compose::TitleThenText:
        return QCoreApplication::applicationName() + text;
    case lang::Compose::TextThenTitle:
        return text + QCoreApplication::applicationName();
    case lang::Compose::Plain:
        break;
    }
    return text;
}

// The component itself, or the window for an empty name.
QObject* findComponent(QWidget* window, const char* component) {
    if (*component == '\0') return window;
    return window->findChild<QObject*>(QString::fromLatin1(component));
}

// A tab page's caption is its tab's text.
bool setTabText(QWidget* page, const QString& text) {
    for (QWidget* p = page->parentWidget(); p; p = p->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
            const int i = tabs->indexOf(page);
            if (i < 0) return false;
            tabs->setTabText(i, text);
            return true;
        }
    }
    return false;
}

[[noreturn]] void unsupported(const lang::WindowText& t) {
    const char* property = t.property == Property::Caption ? "caption"
                           : t.property == Property::Hint  ? "hint"
                                                           : "title";
    throw std::logic_error(std::string(t.window) + "." + t.component + " takes no " + property);
}

void writeCaption(QObject* target, QWidget* window, const lang::WindowText& t) {
    const QString text = composed(t);
    if (target == window)
        window->setWindowTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(target))
        group->setTitle(text);
    else if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* widget = qobject_cast<QWidget*>(target); !widget || !setTabText(widget, text))
        unsupported(t);
}

void writeText(QObject* target, QWidget* window, const lang::WindowText& t) {
    switch (t.property) {
    case Property::Caption:
        writeCaption(target, window, t);
        return;
    case Property::Hint:
        if (auto* widget = qobject_cast<QWidget*>(target))
            widget->setToolTip(composed(t));
        else if (auto* action = qobject_cast<QAction*>(target))
            action->setToolTip(composed(t));
        else
            unsupported(t);
        return;
    case Property::Title:
        if (auto* dialog = qobject_cast<QWidget*>(target))
            dialog->setWindowTitle(composed(t));
        else
            unsupported(t);
        return;
    }
}

// A table widget's header takes data only through its header items.
bool setColumnTitle(QTableWidget* grid, int column, const QString& text) {
    if (column >= grid->columnCount()) return false;
    if (!grid->horizontalHeaderItem(column)) grid->setHorizontalHeaderItem(column, new QTableWidgetItem);
    grid->horizontalHeaderItem(column)->setText(text);
    return true;
}

void writeColumnTitle(QObject* target, const lang::ColumnTitle& c) {
    const QString text = QString::fromUtf8(c.text);
    bool written = false;
    if (auto* table = qobject_cast<QTableWidget*>(target))
        written = setColumnTitle(table, c.column, text);
    else if (auto* grid = qobject_cast<QAbstractItemView*>(target); grid && grid->model())
        written = grid->model()->setHeaderData(c.column, Qt::Horizontal, text);
    if (!written)
        throw std::logic_error(std::string(c.window) + "." + c.grid + " takes no title for column " +
                               std::to_string(c.column));
}

} // namespace

WindowTexts& WindowTexts::global() {
    static WindowTexts instance;
    return instance;
}

void WindowTexts::registerWindow(const QString& name, QWidget* widget) {
    windows_.insert(name, widget);
    if (written_) writeTexts(*written_, name);
}

QWidget* WindowTexts::window(const QString& name) const {
    return windows_.value(name);
}

void WindowTexts::write(const lang::TextSet& set) {
    written_ = &set;
    QtTranslation::global().use(QString::fromLatin1(set.qtTranslation));
    if (QWidget* menuWindow = window(QString::fromLatin1(set.menuWindow))) {
        if (auto* item = menuWindow->findChild<QAction*>(QString::fromLatin1(set.menuItem)))
            item->setChecked(true);
    }
    writeTexts(set, {});
}

void WindowTexts::writeTexts(const lang::TextSet& set, const QString& only) const {
    for (const lang::WindowText& t : set.windowTexts) {
        const QString name = QString::fromLatin1(t.window);
        QWidget* w = only.isEmpty() || only == name ? window(name) : nullptr;
        if (!w) continue;
        if (QObject* target = findComponent(w, t.component)) writeText(target, w, t);
    }
    for (const lang::ColumnTitle& c : set.columnTitles) {
        const QString name = QString::fromLatin1(c.window);
        QWidget* w = only.isEmpty() || only == name ? window(name) : nullptr;
        if (!w) continue;
        if (QObject* target = findComponent(w, c.grid)) writeColumnTitle(target, c);
    }
}

QStringList WindowTexts::missingTargets(const lang::TextSet& set) const {
    QStringList missing;
    for (const lang::WindowText& t : set.windowTexts) {
        QWidget* w = window(QString::fromLatin1(t.window));
        if (w && !findComponent(w, t.component)) missing << QString::fromLatin1(t.window) + "." + t.component;
    }
    for (const lang::ColumnTitle& c : set.columnTitles) {
        QWidget* w = window(QString::fromLatin1(c.window));
        auto* grid = w ? qobject_cast<QAbstractItemView*>(findComponent(w, c.grid)) : nullptr;
        const int columns = grid && grid->model() ? grid->model()->columnCount() : 0;
        if (w && c.column >= columns)
            missing << QString::fromLatin1(c.window) + "." + c.grid + "[" + QString::number(c.column) + "]";
    }
    return missing;
}

} // namespace rectix::ui
