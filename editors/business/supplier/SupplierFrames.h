#pragma once
// The supplier profile of the partner portal:
//  - TFrameSupplierInfo ("Supplier Info"): type of activity, legal status,
//    year of foundation, number of employees, other information, and the
//    supplier's picture, the image editor nested on the tab (a picture
//    chosen is written at once and goes with the item's Cancel);
//  - the row dialogs the profile's lists open: TFrameZUDISupplierExport (an
//    export record; the product is picked, never typed), TFrameZUDICertificate
//    and TFrameZUDIReferences, each exchanging its row through the parameter
//    list and refused, to be shown again with what was typed, by the rules of
//    supplier_rows.
#include "editors/business/FrameMemberForm.h"
#include "editors/business/supplier/SupplierRows.h"
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

#include <map>
#include <string>

class QFormLayout;
class QLineEdit;
class TInternalPluginsManager;

class TFrameSupplierInfo : public TFrameMemberForm {
public:
    explicit TFrameSupplierInfo(TFrameSite& site);
    void InitControls() override;
};

// A row dialog: one control per key of its kind.
class TSupplierRowDialog : public QWidget, public TTolvexFrameViewer {
public:
    TSupplierRowDialog(TFrameSite& site, const char* objectName, supplier_rows::TKind kind);
    void InitControls() override;
    bool Save() override;

protected:
    QFormLayout* Form = nullptr;
    // The control showing the key's value.
    QWidget* Control(const std::string& key) const;

private:
    void PickProduct();

    supplier_rows::TKind kind_;
    std::map<std::string, QWidget*> controls_;
};

class TFrameZUDISupplierExport : public TSupplierRowDialog {
public:
    explicit TFrameZUDISupplierExport(TFrameSite& site)
        : TSupplierRowDialog(site, "TFrameZUDISupplierExport", supplier_rows::TKind::Export)
    {
    }
};

class TFrameZUDICertificate : public TSupplierRowDialog {
public:
    explicit TFrameZUDICertificate(TFrameSite& site)
        : TSupplierRowDialog(site, "TFrameZUDICertificate", supplier_rows::TKind::Certificate)
    {
    }
};

class TFrameZUDIReferences : public TSupplierRowDialog {
public:
    explicit TFrameZUDIReferences(TFrameSite& site)
        : TSupplierRowDialog(site, "TFrameZUDIReferences", supplier_rows::TKind::Reference)
    {
    }
};

// "TSupplierInfoEditor" and the three row dialogs' editors.
void RegisterSupplierEditors(TInternalPluginsManager& registry);
