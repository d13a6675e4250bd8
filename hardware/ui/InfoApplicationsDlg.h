#pragma once

#include "hardware/AppsCollector.h"
#include "hardware/ui/HardwareDialog.h"

class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;
class QTableWidget;

// Information › Installed applications: the desktop applications first, then every installed package in
// a table sorted by any column and narrowed by a filter box, with the count and total size shown.
class TInfoApplicationsDlg : public qv::hardwareui::HardwareDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 9;

    // Reads the installed machine tree; the user's own desktop entries on the live machine only.
    explicit TInfoApplicationsDlg(QWidget* parent = nullptr);

    const qv::hardware::ApplicationsFacts& facts() const { return m_facts; }
    QLineEdit& filterBox() const { return *m_filter; }
    const QTableView& packageTable() const { return *m_packages; }
    const QLabel& countLabel() const { return *m_count; }

private:
    TTabSheet* desktopPage();
    TTabSheet* packagesPage();
    void filterChanged(const QString& text);

    qv::hardware::ApplicationsFacts m_facts;
    QStandardItemModel* m_model = nullptr;
    QSortFilterProxyModel* m_proxy = nullptr;
    QTableView* m_packages = nullptr;
    QLineEdit* m_filter = nullptr;
    QLabel* m_count = nullptr;
};
