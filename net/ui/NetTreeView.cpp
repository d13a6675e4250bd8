#include "net/ui/NetTreeView.h"

#include "net/ui/InterfaceLink.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionGuard.h"
#include "platform/Identity.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHeaderView>
#include <QTimer>

#include <functional>

using qv::platform::NetResource;
using qv::platform::ResourceKind;

namespace {

constexpr int kImageRole = Qt::UserRole;
constexpr int kSelectedImageRole = Qt::UserRole + 1;
constexpr int kListingRole = Qt::UserRole + 2;
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

// What a run shares with its worker.
struct TCustomNetTreeView::Run {
    std::shared_ptr<InterfaceLink> link;
    qv::platform::NetworkNeighbourhoodPointer neighbourhood;
    TResourceType type = rtAny;
    std::atomic<bool> stop = false;
};

namespace {

std::atomic<int> g_workersRunning = 0;

// Starts a worker thread at idle priority; it deletes itself when it ends.
void startWorker(QThread* thread)
{
    ++g_workersRunning;
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    QObject::connect(thread, &QObject::destroyed, [] { --g_workersRunning; });
    thread->start(QThread::IdlePriority);
}

QString blankFree(QString name)
{
    name.remove(QLatin1Char(' '));
    return name;
}

} // namespace

TCustomNetTreeView::TCustomNetTreeView(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Long names widen the column instead of being cut: the tree scrolls sideways.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(this, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* node) { qv::platform::guarded([&] { nodeExpanded(node); }); });
}

TCustomNetTreeView::~TCustomNetTreeView()
{
    m_destroying = true;
    if (m_run)
        m_run->stop = true;
    for (const std::shared_ptr<InterfaceLink>& link : m_links)
        link->cut();
}

int TCustomNetTreeView::workersRunning()
{
    return g_workersRunning;
}

QString TCustomNetTreeView::ComputerName()
{
    m_computerName = qv::platform::hostName().value_or(QString());
    return m_computerName;
}

QString TCustomNetTreeView::WorkgroupName()
{
    m_workgroupName = blankFree(qv::platform::netbiosWorkgroup().value_or(QString()));
    return m_workgroupName;
}

std::shared_ptr<InterfaceLink> TCustomNetTreeView::newLink()
{
    // Links whose worker has ended are held here alone.
    std::erase_if(m_links, [](const std::shared_ptr<InterfaceLink>& link) { return link.use_count() == 1; });
    m_links.push_back(std::make_shared<InterfaceLink>(this));
    return m_links.back();
}

void TCustomNetTreeView::StartAnalysis()
{
    if (m_inOtherThread && m_running)
        return;
    auto run = std::make_shared<Run>();
    m_neighbourhood = qv::platform::networkNeighbourhood();
    run->neighbourhood = m_neighbourhood;
    run->type = m_resourceType;
    run->link = m_inOtherThread ? newLink() : std::make_shared<InterfaceLink>(this);
    m_run = run;
    if (!m_inOtherThread) {
        BuildTree(*run, this);
        return;
    }
    m_running = true;
    startWorker(new TThreadEnumNet(run, this));
}

bool TCustomNetTreeView::stopRequested() const
{
    return m_run && m_run->stop;
}

bool TCustomNetTreeView::Stopping() const
{
    return m_running && stopRequested();
}

void TCustomNetTreeView::StopAnalysis()
{
    if (!m_running)
        return;
    m_run->stop = true;
    QTimer::singleShot(kStopGraceMs, this, [this, run = std::weak_ptr<Run>(m_run)] {
        if (m_running && run.lock() == m_run)
            letRunGo();
    });
}

void TCustomNetTreeView::finishAnalysis()
{
    if (!m_running)
        return;
    m_run->stop = true;
    const QDeadlineTimer deadline(kStopGraceMs);
    while (m_running && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (m_running)
        letRunGo();
}

void TCustomNetTreeView::letRunGo()
{
    m_run->link->cut();
    AnalysisDone(m_run.get());
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

void TCustomNetTreeView::BuildTree(Run& run, TCustomNetTreeView* tree)
{
    if (!run.link->call([tree] { tree->clear(); }))
        return;
    const QString workgroup = blankFree(qv::platform::netbiosWorkgroup().value_or(QString()));
    if (!run.link->call([&] { tree->m_workgroupName = workgroup; }))
        return;
    enumerate(run, tree, nullptr, std::nullopt, enumeratedKind(run.type));
    run.link->call([tree] {
        tree->sortItems(0, Qt::AscendingOrder);
        tree->copyLocalWorkgroup();
        if (tree->m_autoExpanding)
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                tree->topLevelItem(i)->setExpanded(true);
    });
}

void TCustomNetTreeView::enumerate(Run& run, TCustomNetTreeView* tree, QTreeWidgetItem* parent,
                                   const std::optional<NetResource>& start, ResourceKind kind)
{
    if (run.stop)
        return;
    const std::optional<qv::platform::NetListing> listing = run.neighbourhood->list(start, kind);
    if (!listing)
        return; // a container that cannot be opened is skipped
    for (const NetResource& entry : listing->entries) {
        if (run.stop)
            return;
        QTreeWidgetItem* node = nullptr;
        if (!run.link->call([&] { node = tree->addEntry(parent, entry); }))
            return;
        if (run.type != rtProvider && node && entry.container)
            enumerate(run, tree, node, entry, kind);
    }
    if (listing->error != 0 && !run.stop)
        run.link->call([tree] { qv::platform::guarded([&] { tree->showMessage(kEnumerationError); }); });
    run.link->call([tree] { tree->viewport()->update(); });
}

QTreeWidgetItem* TCustomNetTreeView::addEntry(QTreeWidgetItem* parent, const NetResource& entry)
{
    if (stopRequested())
        return nullptr;
    const QString provider = m_run->neighbourhood->providerName();
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
            node =
                addNode(parent, name, kShareImage, selected, entry.type != qv::platform::ResourceKind::Print);
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

// The listing runs on a worker of its own: a slow or frozen server never holds the window. A node whose
// listing failed keeps its expand button, so that opening it again tries again.
void TCustomNetTreeView::listDirectories(QTreeWidgetItem* node)
{
    if (stopRequested() || node->childCount() > 0 || kindOf(node) != NodeKind::ShareOrDirectory ||
        node->data(0, kListingRole).toBool())
        return;
    node->setData(0, kListingRole, true);
    const std::shared_ptr<InterfaceLink> link = newLink();
    const QPersistentModelIndex index(indexFromItem(node));
    startWorker(QThread::create(
        [this, link, index, path = NodePath(node),
         neighbourhood = m_neighbourhood ? m_neighbourhood : qv::platform::networkNeighbourhood()] {
            const std::optional<QStringList> directories = neighbourhood->directories(path);
            link->call([&] { directoriesListed(index, directories); });
        }));
}

void TCustomNetTreeView::directoriesListed(const QPersistentModelIndex& index,
                                           const std::optional<QStringList>& directories)
{
    QTreeWidgetItem* node = index.isValid() ? itemFromIndex(index) : nullptr;
    if (!node)
        return; // the tree was filled anew meanwhile
    node->setData(0, kListingRole, QVariant());
    if (!directories) {
        node->setExpanded(false);
        setExpandButton(node, true);
        return;
    }
    setExpandButton(node, false);
    for (const QString& name : *directories) {
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        addNode(node, name, kShareImage, kOpenDirectoryImage, true);
        setExpandButton(node, true);
    }
    node->sortChildren(0, Qt::AscendingOrder);
}

void TCustomNetTreeView::AnalysisDone(const Run* run)
{
    if (!m_running || run != m_run.get())
        return;
    m_running = false;
    m_run.reset();
    if (OnDone && !m_destroying)
        qv::platform::guarded([this] { OnDone(this); });
}

int TCustomNetTreeView::imageOf(const QTreeWidgetItem* node)
{
    return node->data(0, kImageRole).toInt();
}

TCustomNetTreeView::NodeKind TCustomNetTreeView::kindOf(const QTreeWidgetItem* node)
{
    switch (imageOf(node)) {
    case kProviderImage:
        return NodeKind::Provider;
    case kWorkgroupImage:
        return NodeKind::Workgroup;
    case kComputerImage:
        return NodeKind::Computer;
    default:
        return NodeKind::ShareOrDirectory;
    }
}

QString TCustomNetTreeView::SelectedPath() const
{
    const QTreeWidgetItem* node = currentItem();
    if (m_running || !node)
        return {};
    const NodeKind kind = kindOf(node);
    if (kind == NodeKind::Provider || kind == NodeKind::Workgroup)
        return {};
    if (kind == NodeKind::Computer)
        return node->text(0).section(QStringLiteral(" ("), 0, 0);
    return NodePath(node);
}

QString TCustomNetTreeView::NodePath(const QTreeWidgetItem* node)
{
    QString path = node->text(0);
    for (const QTreeWidgetItem* parent = node->parent(); parent; parent = parent->parent()) {
        if (kindOf(parent) == NodeKind::ShareOrDirectory) {
            path = parent->text(0) + QLatin1Char('\\') + path;
        } else if (kindOf(parent) == NodeKind::Computer) {
            return QStringLiteral("\\\\") + parent->text(0).section(QLatin1Char(' '), 0, 0) +
                   QLatin1Char('\\') + path;
        } else {
            break;
        }
    }
    return path;
}

TThreadEnumNet::TThreadEnumNet(std::shared_ptr<TCustomNetTreeView::Run> run, TCustomNetTreeView* tree)
    : m_run(std::move(run))
    , m_tree(tree)
{
}

void TThreadEnumNet::run()
{
    TCustomNetTreeView::BuildTree(*m_run, m_tree);
    m_run->link->call([tree = m_tree, run = m_run.get()] { tree->AnalysisDone(run); });
}
