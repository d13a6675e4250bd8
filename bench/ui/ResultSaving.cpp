#include "bench/ui/ResultSaving.h"

#include "bench/ui/UiText.h"
#include "platform/DataPaths.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionGuard.h"
#include "results/ResultFiles.h"
#include "results/SavedResult.h"
#include "results/report/SessionLog.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>

namespace qv::benchui {

namespace {

constexpr const char* kMenuOwnerProperty = "qvResultSaving";

// A chart with the saving menu tells assistive tools that it has a menu, and opens it on request.
class ChartWithMenu : public QAccessibleWidget {
public:
    explicit ChartWithMenu(QWidget* chart)
        : QAccessibleWidget(chart, QAccessible::Chart)
    {
    }

    QStringList actionNames() const override { return {showMenuAction()}; }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        return action == showMenuAction() ? QStringList{QStringLiteral("Shift+F10")} : QStringList();
    }
    void doAction(const QString& action) override
    {
        auto* owner = widget()->property(kMenuOwnerProperty).value<ResultSaving*>();
        if (action == showMenuAction() && owner != nullptr)
            owner->openMenu();
    }
};

QAccessibleInterface* chartInterface(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget != nullptr && widget->property(kMenuOwnerProperty).isValid())
        return new ChartWithMenu(widget);
    return nullptr;
}

} // namespace

QStringList resultFileFilters()
{
    return {QStringLiteral("Fichier Quorvex (*.QVR)"), QStringLiteral("quorvex-cli results (*.json)"),
            QStringLiteral("All files (*)")};
}

std::unique_ptr<QFileDialog> resultSaveDialog(QWidget* parent, const QString& caption,
                                              const QString& proposed, const QStringList& filters,
                                              const QString& suffix)
{
    auto dialog = std::make_unique<QFileDialog>(parent, caption);
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilters(filters);
    dialog->setDefaultSuffix(suffix);
    dialog->setDirectory(QFileInfo(proposed).absolutePath());
    dialog->selectFile(QFileInfo(proposed).fileName());
    return dialog;
}

bool confirmReplace(QWidget* parent, const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    QMessageBox question(
        QMessageBox::Question, QStringLiteral("Quorvex 2003"),
        QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(path)),
        QMessageBox::Yes | QMessageBox::No, parent);
    question.setDefaultButton(QMessageBox::No);
    question.setEscapeButton(QMessageBox::No);
    return qv::platform::showModal(question) == QMessageBox::Yes;
}

QString proposedResultPath(const results::SavedResult& session)
{
    const QDateTime created = QDateTime::fromString(QString::fromStdString(session.created), Qt::ISODate);
    const QString stamp = (created.isValid() ? created : QDateTime::currentDateTimeUtc())
                              .toLocalTime()
                              .toString(QStringLiteral("yyyyMMdd-HHmm"));
    const auto name = results::benchmarkName(session.benchmark);
    return QDir(qv::platform::dataDirectory()).filePath(uiText(name) + u'-' + stamp + QStringLiteral(".qvr"));
}

bool saveSession(QWidget* parent, const results::SavedResult& session)
{
    const auto dialog = resultSaveDialog(parent, QStringLiteral("Save results"), proposedResultPath(session),
                                         resultFileFilters(), QStringLiteral("qvr"));
    if (qv::platform::showModal(*dialog) != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return false;
    const QString path = dialog->selectedFiles().constFirst();
    if (!confirmReplace(parent, path))
        return false;
    results::writeFileAtomically(path.toStdString(), results::indentedJson(results::savedResultJson(session)),
                                 results::Existing::Replace);
    return true;
}

std::function<std::optional<results::SavedResult>()> lastSessionOf(results::Benchmark benchmark)
{
    return [benchmark]() -> std::optional<results::SavedResult> {
        std::vector<results::SavedResult> sessions = qv::cli::sessionLog().sessionsOf(benchmark);
        if (sessions.empty())
            return std::nullopt;
        return std::move(sessions.back());
    };
}

ResultSaving::ResultSaving(QWidget& window, std::vector<QWidget*> charts, SessionSource session)
    : QObject(&window)
    , m_window(window)
    , m_charts(std::move(charts))
    , m_session(std::move(session))
    , m_save(new QAction(QStringLiteral("&Save results..."), this))
{
    static const bool installed = [] {
        QAccessible::installFactory(chartInterface);
        return true;
    }();
    (void)installed;
    m_save->setObjectName(QStringLiteral("SaveResults"));
    m_save->setStatusTip(QStringLiteral("Save this session's results in a file"));
    connect(m_save, &QAction::triggered, this, qv::platform::guardedSlot(this, &ResultSaving::save));
    for (QWidget* chart : m_charts) {
        chart->setProperty(kMenuOwnerProperty, QVariant::fromValue(this));
        chart->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(chart, &QWidget::customContextMenuRequested, this,
                [this, chart](const QPoint& position) { openMenuAt(*chart, position); });
    }
    for (const QKeySequence& key : {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        auto* shortcut = new QShortcut(key, &window);
        connect(shortcut, &QShortcut::activated, this, &ResultSaving::openMenu);
    }
}

ResultSaving* ResultSaving::attach(QWidget& window, const std::vector<QWidget*>& charts,
                                   SessionSource session)
{
    return new ResultSaving(window, charts, std::move(session));
}

QMenu* ResultSaving::openMenu()
{
    for (QWidget* chart : m_charts) {
        if (chart->isVisible())
            return openMenuAt(*chart, chart->rect().center());
    }
    return nullptr;
}

QMenu* ResultSaving::openMenuAt(QWidget& chart, const QPoint& position)
{
    if (m_menu == nullptr) {
        m_menu = new QMenu(&m_window);
        m_menu->setObjectName(QStringLiteral("ChartMenu"));
        m_menu->addAction(m_save);
    }
    m_save->setEnabled(m_session().has_value());
    m_menu->popup(chart.mapToGlobal(position));
    return m_menu;
}

void ResultSaving::save()
{
    const std::optional<results::SavedResult> session = m_session();
    if (!session)
        return;
    try {
        saveSession(&m_window, *session);
    } catch (const results::FileError& error) {
        qv::platform::showError(&m_window, QStringLiteral("Save results"), QString::fromUtf8(error.what()));
    }
}

} // namespace qv::benchui
