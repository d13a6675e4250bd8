#pragma once

#include "app/CommandTable.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QMenu;
class TTransparentButton;

namespace Ui {
class QuorvexMain;
}

// The main window: banner, a tab strip of four groups, the hint line and a page of command buttons per
// group, plus the menu. Every function of the program starts here.
class TQuorvexMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TQuorvexMain(QWidget* parent = nullptr);
    ~TQuorvexMain() override;

    // The group shown now, 0 (benchmarks) to 3 (tools).
    int currentGroup() const;
    QString hintLine() const;
    TTransparentButton* commandButton(qv::app::Command command) const;
    QAction* menuAction(qv::app::Command command) const;
    // Whether a command was asked for and has not finished: its window is open or about to open.
    bool isCommandRunning() const { return m_commandRunning; }

public slots:
    void FormCreate();
    void FormActivate();
    void ShowHint(const QString& hint);

    void buttonOngletTestPerfClick();
    void buttonOngletInfoClick();
    void buttonOngletExpertsClick();
    void buttonOngletOutilsClick();

    void Ouvrir1Click();
    void Gnrerrapport1Click();
    void PerfProcesseurClick();
    void PerfMemoireClick();
    void PerfDisqueDurClick();
    void PerfAffichageClick();
    void PerfAffichage3DClick();
    void PerfReseauClick();
    void PerfInternetClick();
    void InfoProcesseurClick();
    void InfoSystemeExploitationClick();
    void InfoMemoireClick();
    void InfoCarteMereClick();
    void InfoDisquesClick();
    void ButtonOutilReseauClick();
    void TransparentButtonTestStabiliteClick();
    void About();
    void Aide2Click();
    void FAQonline1Click();
    void ContacttheQuorvexTeam1Click();
    void Quitter1Click();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createCommandButtons();
    void createMenus();
    std::array<TTransparentButton*, qv::app::kPageCount> tabButtons() const;
    void nameTabsAndPictures();
    void runCommand(qv::app::Command command);
    void runCommandNow(qv::app::Command command);
    void showNotAvailable(qv::app::Command command);
    void selectGroup(int group);
    void repaintNow();

    std::unique_ptr<Ui::QuorvexMain> m_ui;
    bool m_activated = false;
    bool m_commandRunning = false; // a command was asked for and has not finished yet
};
