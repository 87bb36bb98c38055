#pragma once

#include "Utility/IntegerList.hpp"

#include <QApplication>
#include <QStyle>
#include <QTreeView>

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace Orvane::UI {

// A command must not throw into the event loop: what its handler does not handle ends the command
// with a beep, as a window's command handler does with an error nobody reports.
template <class F>
void Guarded(F&& command)
{
    try {
        command();
    } catch (const std::exception&) {
        QApplication::beep();
    }
}

// Controls with a string id's text, an object name for tests and an accessible name.
QPushButton* MakeButton(std::uint32_t id, const char* name, QWidget* parent);
QCheckBox* MakeCheckBox(std::uint32_t id, const char* name, QWidget* parent);
QLabel* MakeLabel(std::uint32_t id, QWidget* parent);
QLineEdit* MakeEdit(const char* name, QLabel* label, QWidget* parent);
// A read-only field that shows a value the user cannot change.
QLineEdit* MakeValue(const char* name, QLabel* label, QWidget* parent);
// A labelled field on one line of a two-column grid.
QLineEdit* AddFieldRow(QGridLayout& fields, int line, std::uint32_t label, const char* name, bool readOnly,
                       QWidget* parent);

// Adds the named columns with the widths of the width string; the view is at least as wide as them.
template <class Ctrl, class Source, class Maker>
void AddColumns(Ctrl& list, const Source& source, Maker make, const std::vector<std::string>& names,
                std::uint32_t widthsId)
{
    const std::vector<int> widths = Utility::LoadIntegerList(widthsId);
    int total = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int width = i < widths.size() ? widths[i] : 100;
        list.AddColumn(make(names[i], source, width));
        total += width;
    }
    QTreeView* view = list.GetView();
    view->setMinimumWidth(total + 2 * view->frameWidth() + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

} // namespace Orvane::UI
