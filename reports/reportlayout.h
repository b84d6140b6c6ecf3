#pragma once
#include <QString>
#include <Qt>
#include <vector>

// A banded print layout: a title band printed once at the top of the first
// page and a detail band printed once per data row. Positions and sizes are
// millimetres from the band's top left corner.
namespace ReportLayouts {

enum class FontRole { Title, Heading, Data };

struct Item {
    enum class Kind { Label, Field, Rule };
    Kind kind = Kind::Label;
    QString text; // a label's text, or a field's name
    double left = 0, top = 0;
    double width = 0; // a label with width 0 takes the width of its text
    double height = 0;
    FontRole font = FontRole::Data;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool wordWrap = false;
};

struct Band {
    double height = 0;
    std::vector<Item> items;
};

struct Layout {
    QString title; // also the print job's name
    Band titleBand;
    Band detailBand;
};

// The sizes both reports share.
constexpr double RuleHeight = 0.3;
constexpr double TitleHeight = 7.9, TitleTop = 3.4;
constexpr double HeadingHeight = 6.1, HeadingTop = 14.8;
constexpr double FieldHeight = 4.5, FieldTop = 2.1;

inline Item title(const QString& text, double left, double width)
{
    return {Item::Kind::Label, text, left, TitleTop, width, TitleHeight, FontRole::Title, Qt::AlignHCenter, false};
}

inline Item heading(const QString& text, double left)
{
    return {Item::Kind::Label, text, left, HeadingTop, 0, HeadingHeight, FontRole::Heading, Qt::AlignLeft, false};
}

inline Item field(const QString& name, double left, double width)
{
    return {Item::Kind::Field, name, left, FieldTop, width, FieldHeight, FontRole::Data, Qt::AlignHCenter, true};
}

inline Item rule(double left, double top, double width)
{
    return {Item::Kind::Rule, {}, left, top, width, RuleHeight, FontRole::Data, Qt::AlignLeft, false};
}

} // namespace ReportLayouts
