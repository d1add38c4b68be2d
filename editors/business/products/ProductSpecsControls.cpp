#include "editors/business/products/ProductSpecsControls.h"

#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/MemberTypes.h"
#include "editors/business/products/ProductSpecsModel.h"
#include "gui/UiText.h"
#include "storage/References.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

using UiText::Q;
using UiText::S;

namespace {

// The two sides of a "name=value" line.
std::pair<std::string, std::string> SplitLine(const std::string& line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return {line, line};
    return {line.substr(0, equals), line.substr(equals + 1)};
}

}  // namespace

TProductSpecsControls::TProductSpecsControls(QWidget& frame, std::vector<std::string> members, bool numericEntry)
    : QObject(&frame), frame_(frame)
{
    for (const std::string& member : members) {
        TControl control{member};
        if (member == "DimensionsUnit" || member == "WeightUnit") {
            control.Units = new QComboBox(&frame);
            const std::vector<std::string>& units = member == "DimensionsUnit" && RootObject
                                                        ? RootObject->References().GetDimensionUnits()
                                                        : RootObject ? RootObject->References().GetWeightUnits()
                                                                     : std::vector<std::string>{};
            control.Units->setMaximumWidth(260);
            control.Units->addItem(QString(), QString());
            for (const std::string& line : units) {
                const auto [id, name] = SplitLine(line);
                control.Units->addItem(Q(name), Q(id));
            }
            connect(control.Units, &QComboBox::currentIndexChanged, this, [this] {
                if (!loading_ && Changed)
                    Changed();
            });
        } else {
            control.Line = new QLineEdit(&frame);
            control.Line->setMaxLength(kMaxShortTextLength);
            if (TProductSpecsModel::IsMeasure(member))
                control.Line->setMaximumWidth(160);
            if (numericEntry && TProductSpecsModel::IsMeasure(member))
                control.Line->setValidator(
                    new QRegularExpressionValidator(QRegularExpression("[0-9]*[.,]?[0-9]*"), control.Line));
            connect(control.Line, &QLineEdit::textEdited, this, [this] {
                if (!loading_ && Changed)
                    Changed();
            });
        }
        QWidget* widget = control.Line ? static_cast<QWidget*>(control.Line) : control.Units;
        widget->setObjectName(Q("edt" + member));
        controls_.push_back(control);
    }
}

QString TProductSpecsControls::Caption(const std::string& member)
{
    static const std::pair<const char*, const char*> captions[] = {
        {"Length", "&Length:"},
        {"Width", "&Width:"},
        {"Height", "&Height:"},
        {"Diameter", "D&iameter:"},
        {"DimensionsUnit", "Dimensions &Unit:"},
        {"Weight", "W&eight:"},
        {"WeightUnit", "Weight U&nit:"},
        {"Material", "&Material:"},
        {"PackingDetails", "&Packing Details:"},
        {"Keywords", "&Keywords:"},
        {"Comments", "Internal N&otes:"},
    };
    for (const auto& [name, caption] : captions)
        if (member == name)
            return QObject::tr(caption);
    return Q(member) + ":";
}

void TProductSpecsControls::AddRows(QFormLayout& form)
{
    for (const TControl& control : controls_) {
        QWidget* widget = control.Line ? static_cast<QWidget*>(control.Line) : control.Units;
        auto* label = new QLabel(Caption(control.Member), &frame_);
        label->setBuddy(widget);
        form.addRow(label, widget);
    }
}

void TProductSpecsControls::Load(const TProductSpecsModel& model)
{
    loading_ = true;
    for (const TControl& control : controls_) {
        const QString value = Q(model.Value(control.Member));
        if (control.Line)
            control.Line->setText(value);
        else
            control.Units->setCurrentIndex(std::max(0, control.Units->findData(value)));
    }
    loading_ = false;
}

void TProductSpecsControls::Read(TProductSpecsModel& model) const
{
    for (const TControl& control : controls_)
        model.SetValue(control.Member, control.Line ? S(control.Line->text())
                                                    : S(control.Units->currentData().toString()));
}
