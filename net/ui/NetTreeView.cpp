#include "net/ui/NetTreeView.h"

#include "platform/Dialogs.h"
#include "platform/ExceptionGuard.h"
#include "platform/Identity.h"

#include <QCoreApplication>

#include <functional>

using qv::platform::NetResource;
using qv::platform::ResourceKind;

namespace {

constexpr int kImageRole = Qt::UserRole;
constexpr int kSelectedImageRole = Qt::UserRole + 1;
constexpr int kPrinterType = 2;
const QString kEnumerationError = QStringLiteral("WNetEnumResource Error");

ResourceKind enumeratedKind(TCustomNetTreeView::TResourceType type)
{
    switch (type) {
    case TCustomNetTreeView::rtDisk:
        return ResourceKind::Disk;
    case TCustomNetTreeView::rtPrint:
        return ResourceKind::Print;
    default:
        return ResourceKind::Any;
    }
}

void setExpandButton(QTreeWidgetItem* node, bool on)
{
    node->setChildIndicatorPolicy(on ? QTreeWidgetItem::ShowIndicator : QTreeWidgetItem::DontShowIndicator);
}

bool hasExpandButton(const QTreeWidgetItem* node)
{
    return node->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
}

} // namespace

TCustomNetTreeView::TCustomNetTreeView(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* node) { qv::platform::guarded([&] { nodeExpanded(node); }); });
}

TCustomNetTreeView::~TCustomNetTreeView()
{
    m_destroying = true;
    finishAnalysis();
}

QString TCustomNetTreeView::ComputerName()
{
    m_computerName = qv::platform::hostName().value_or(QString());
    return m_computerName;
}

QString TCustomNetTreeView::WorkgroupName()
{
    QString name = qv::platform::netbiosWorkgroup().value_or(QString());
    name.remove(QLatin1Char(' '));
    m_workgroupName = name;
    return name;
}

void TCustomNetTreeView::StartAnalysis()
{
    if (!m_inOtherThread) {
        BuildTree();
        return;
    }
    if (m_running)
        return;
    auto* worker = new TThreadEnumNet(*this);
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    m_worker = worker;
    m_running = true;
    worker->start(QThread::IdlePriority);
}

void TCustomNetTreeView::StopAnalysis()
{
    if (m_running)
        m_stop = true;
}

void TCustomNetTreeView::finishAnalysis()
{
    StopAnalysis();
    while (m_worker && !m_worker->isFinished()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
}

void TCustomNetTreeView::onInterface(const std::function<void()>& change)
{
    if (QThread::currentThread() == thread())
        change();
    else
        QMetaObject::invokeMethod(this, change, Qt::BlockingQueuedConnection);
}

// Without a worker the run happens inside the caller's event handler: keep the interface alive.
void TCustomNetTreeView::serviceTheInterface()
{
    if (!m_running)
        QCoreApplication::processEvents();
}

void TCustomNetTreeView::showMessage(const QString& message)
{
    if (OnMessage)
        OnMessage(message);
    else
        qv::platform::showInformation(this, message);
}

void TCustomNetTreeView::BuildTree()
{
    m_neighbourhood = qv::platform::networkNeighbourhood();
    onInterface([this] { clear(); });
    WorkgroupName();
    enumerate(nullptr, std::nullopt, enumeratedKind(m_resourceType));
    onInterface([this] {
        sortItems(0, Qt::AscendingOrder);
        copyLocalWorkgroup();
        if (m_autoExpanding)
            for (int i = 0; i < topLevelItemCount(); ++i)
                topLevelItem(i)->setExpanded(true);
    });
}

void TCustomNetTreeView::enumerate(QTreeWidgetItem* parent, const std::optional<NetResource>& start,
                                   ResourceKind kind)
{
    if (m_stop)
        return;
    const std::optional<qv::platform::NetListing> listing = m_neighbourhood->list(start, kind);
    if (!listing)
        return; // a container that cannot be opened is skipped
    for (const NetResource& entry : listing->entries) {
        if (m_stop)
            return;
        QTreeWidgetItem* node = nullptr;
        onInterface([&] { node = addEntry(parent, entry); });
        if (m_resourceType != rtProvider && node && entry.container)
            enumerate(node, entry, kind);
    }
    if (listing->error != 0 && !m_stop)
        onInterface([this] { showMessage(kEnumerationError); });
    onInterface([this] { viewport()->update(); });
}

QTreeWidgetItem* TCustomNetTreeView::addEntry(QTreeWidgetItem* parent, const NetResource& entry)
{
    if (m_stop)
        return nullptr;
    const QString provider = m_neighbourhood->providerName();
    QString name = entry.remoteName;
    QTreeWidgetItem* node = nullptr;
    bool deeper = true;
    if (name.isEmpty() || name == provider)
        return addNode(nullptr, provider, kProviderImage, kProviderImage, true);
    if (name.startsWith(QStringLiteral("\\\\"))) {
        name.remove(0, 2);
        const qsizetype separator = name.indexOf(QLatin1Char('\\'));
        if (separator < 0) {
            node = addNode(parent, name, kComputerImage, kComputerImage, true);
            deeper = m_resourceType != rtComputer;
        } else {
            name.remove(0, separator + 1);
            const int selected = name.contains(QLatin1Char('\\')) ? kOpenDirectoryImage : kShareImage;
            node = addNode(parent, name, kShareImage, selected, entry.type != kPrinterType);
        }
    } else {
        node = addNode(parent, name, kWorkgroupImage, kWorkgroupImage, true);
        deeper = m_resourceType != rtWorkgroup;
    }
    if (m_autoExpanding && parent)
        parent->setExpanded(true);
    serviceTheInterface();
    return deeper ? node : nullptr;
}

QTreeWidgetItem* TCustomNetTreeView::addNode(QTreeWidgetItem* parent, const QString& text, int image,
                                             int selectedImage, bool expandButton)
{
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    node->setText(0, text);
    node->setData(0, kImageRole, image);
    node->setData(0, kSelectedImageRole, selectedImage);
    QIcon icon = m_images.value(image);
    if (selectedImage != image && selectedImage < m_images.size())
        icon.addPixmap(m_images[selectedImage].pixmap(16, 16), QIcon::Selected);
    node->setIcon(0, icon);
    setExpandButton(node, expandButton);
    return node;
}

// The computers of the local workgroup also appear at the top, each with a copy of its subtree.
void TCustomNetTreeView::copyLocalWorkgroup()
{
    QList<QTreeWidgetItem*> local;
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        if ((*it)->parent() && (*it)->parent()->text(0) == m_workgroupName)
            local.append(*it);
    for (const QTreeWidgetItem* original : local) {
        QTreeWidgetItem* copy = copyNode(nullptr, original);
        if (m_autoExpanding)
            copy->setExpanded(true);
        serviceTheInterface();
    }
}

QTreeWidgetItem* TCustomNetTreeView::copyNode(QTreeWidgetItem* parent, const QTreeWidgetItem* original)
{
    QTreeWidgetItem* copy = addNode(parent, original->text(0), imageOf(original),
                                    original->data(0, kSelectedImageRole).toInt(), hasExpandButton(original));
    for (int i = 0; i < original->childCount(); ++i)
        copyNode(copy, original->child(i));
    return copy;
}

void TCustomNetTreeView::nodeExpanded(QTreeWidgetItem* node)
{
    listDirectories(node);
    bool allow = true;
    if (OnExpanding)
        OnExpanding(node, allow);
    if (!allow)
        node->setExpanded(false);
}

void TCustomNetTreeView::listDirectories(QTreeWidgetItem* node)
{
    if (m_stop || node->childCount() > 0 || imageOf(node) <= kComputerImage)
        return;
    setExpandButton(node, false);
    const std::optional<QStringList> directories =
        qv::platform::networkNeighbourhood()->directories(NodePath(node));
    if (!directories)
        return;
    for (const QString& name : *directories) {
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        addNode(node, name, kShareImage, kOpenDirectoryImage, true);
        setExpandButton(node, true);
        serviceTheInterface();
    }
    node->sortChildren(0, Qt::AscendingOrder);
}

void TCustomNetTreeView::AnalysisDone()
{
    m_running = false;
    m_stop = false;
    if (OnDone && !m_destroying)
        qv::platform::guarded([this] { OnDone(this); });
}

int TCustomNetTreeView::imageOf(const QTreeWidgetItem* node)
{
    return node->data(0, kImageRole).toInt();
}

QString TCustomNetTreeView::SelectedPath() const
{
    const QTreeWidgetItem* node = currentItem();
    if (m_running || !node || imageOf(node) <= kWorkgroupImage)
        return {};
    if (imageOf(node) == kComputerImage)
        return node->text(0).section(QStringLiteral(" ("), 0, 0);
    return NodePath(node);
}

QString TCustomNetTreeView::NodePath(const QTreeWidgetItem* node)
{
    QString path = node->text(0);
    for (const QTreeWidgetItem* parent = node->parent(); parent; parent = parent->parent()) {
        if (imageOf(parent) > kComputerImage) {
            path = parent->text(0) + QLatin1Char('\\') + path;
        } else if (imageOf(parent) == kComputerImage) {
            return QStringLiteral("\\\\") + parent->text(0).section(QLatin1Char(' '), 0, 0) +
                   QLatin1Char('\\') + path;
        } else {
            break;
        }
    }
    return path;
}

TThreadEnumNet::TThreadEnumNet(TCustomNetTreeView& tree)
    : m_tree(tree)
{
}

void TThreadEnumNet::run()
{
    m_tree.BuildTree();
    m_tree.onInterface([this] { m_tree.AnalysisDone(); });
}
