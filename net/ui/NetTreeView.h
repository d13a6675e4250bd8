#pragma once

#include "platform/NetworkNeighbourhood.h"

#include <QIcon>
#include <QPersistentModelIndex>
#include <QThread>
#include <QTreeWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class InterfaceLink;
class TThreadEnumNet;

// The machine's network neighbourhood as a tree: the provider at the top, workgroups under it, computers
// under those, shared disks and printers under the computers, and the sub-directories of a share when
// it is opened. A run may enumerate on a worker at idle priority; every change to the tree is made on
// the user-interface thread while the worker waits, so the tree grows visibly and stays responsive.
// Directories are listed on a worker of their own. A worker stuck with a frozen server never holds the
// window: Stop and closing let it go within kStopGraceMs, and it finishes in the background, unheard.
class TCustomNetTreeView : public QTreeWidget {
    Q_OBJECT
    Q_PROPERTY(bool InOtherThread READ InOtherThread WRITE setInOtherThread)
    Q_PROPERTY(TResourceType ResourceType READ ResourceType WRITE setResourceType)
    Q_PROPERTY(bool AutoExpanding READ AutoExpanding WRITE setAutoExpanding)

public:
    enum TResourceType { rtProvider, rtWorkgroup, rtComputer, rtAny, rtDisk, rtPrint };
    Q_ENUM(TResourceType)

    // The pictures of the tree, by image index; a node's kind is told by its image.
    enum Image { kProviderImage, kWorkgroupImage, kComputerImage, kShareImage, kOpenDirectoryImage };
    // Shares and the directories in them have one image: they are one kind.
    enum class NodeKind { Provider, Workgroup, Computer, ShareOrDirectory };

    // How long a stopped worker may take to come back before it is let go.
    static constexpr int kStopGraceMs = 500;

    explicit TCustomNetTreeView(QWidget* parent = nullptr);
    // Lets every worker go (without OnDone); none is waited for.
    ~TCustomNetTreeView() override;

    // Asks the system for the local computer's name and stores it; empty when the system has none.
    QString ComputerName();
    // Asks the network for the local workgroup (a NetBIOS query on the calling thread: up to 1 s) and
    // stores it with every blank removed; empty when not found.
    QString WorkgroupName();

    void StartAnalysis();
    // With a run in progress: asks it to stop; the run ends (OnDone) when the worker comes back, or after
    // kStopGraceMs at the latest. Otherwise nothing.
    void StopAnalysis();
    // Stops a run in progress and ends it within kStopGraceMs, serving its calls meanwhile.
    void finishAnalysis();
    bool Running() const { return m_running; }
    // A stop was asked and the run has not ended yet.
    bool Stopping() const;

    // Empty while running, without a selection, and for the provider and workgroup nodes.
    QString SelectedPath() const;
    // "\\COMPUTER\Share\Dir" for a node below a computer.
    static QString NodePath(const QTreeWidgetItem* node);
    static int imageOf(const QTreeWidgetItem* node);
    static NodeKind kindOf(const QTreeWidgetItem* node);

    bool InOtherThread() const { return m_inOtherThread; }
    void setInOtherThread(bool on) { m_inOtherThread = on; }
    TResourceType ResourceType() const { return m_resourceType; }
    void setResourceType(TResourceType type) { m_resourceType = type; }
    bool AutoExpanding() const { return m_autoExpanding; }
    void setAutoExpanding(bool on) { m_autoExpanding = on; }

    // The pictures of the node kinds, by image index.
    void setImages(const QList<QIcon>& images) { m_images = images; }

    // Workers of every tree not yet ended and deleted, those let go included.
    static int workersRunning();

    std::function<void(QObject* Sender)> OnDone;
    // Asked when a node opens (its directories are listed meanwhile); clearing the flag keeps it closed.
    std::function<void(QTreeWidgetItem* node, bool& allowExpansion)> OnExpanding;
    // Where the enumeration's error message goes (the program's information box by default).
    std::function<void(const QString& message)> OnMessage;

private:
    friend class TThreadEnumNet;
    struct Run;

    // Worker side: they reach the tree only through the run's link.
    static void BuildTree(Run& run, TCustomNetTreeView* tree);
    static void enumerate(Run& run, TCustomNetTreeView* tree, QTreeWidgetItem* parent,
                          const std::optional<qv::platform::NetResource>& start,
                          qv::platform::ResourceKind kind);

    QTreeWidgetItem* addEntry(QTreeWidgetItem* parent, const qv::platform::NetResource& entry);
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& text, int image, int selectedImage,
                             bool expandButton);
    void copyLocalWorkgroup();
    QTreeWidgetItem* copyNode(QTreeWidgetItem* parent, const QTreeWidgetItem* original);
    void listDirectories(QTreeWidgetItem* node);
    void directoriesListed(const QPersistentModelIndex& index, const std::optional<QStringList>& directories);
    void nodeExpanded(QTreeWidgetItem* node);
    void AnalysisDone(const Run* run);
    // Ends the current run now; its worker goes on alone and is no longer heard.
    void letRunGo();
    bool stopRequested() const;
    void serviceTheInterface();
    void showMessage(const QString& message);
    std::shared_ptr<InterfaceLink> newLink();

    QString m_computerName;
    QString m_workgroupName;
    bool m_inOtherThread = true;
    TResourceType m_resourceType = rtAny;
    bool m_autoExpanding = false;
    bool m_running = false;
    bool m_destroying = false;
    std::shared_ptr<Run> m_run;
    // The neighbourhood the tree was built from; its directories are listed from it too.
    qv::platform::NetworkNeighbourhoodPointer m_neighbourhood;
    // One per worker; cut when the tree goes.
    std::vector<std::shared_ptr<InterfaceLink>> m_links;
    QList<QIcon> m_images;
};

// The registered tree class: publishes nothing more.
class TVSNetTreeView : public TCustomNetTreeView {
    Q_OBJECT

public:
    using TCustomNetTreeView::TCustomNetTreeView;
};

// One enumeration run of a tree on a thread of its own; it deletes itself when it ends. It holds the run
// (neighbourhood, stop request, link), never the tree itself, so the tree may go while it runs.
class TThreadEnumNet : public QThread {
    Q_OBJECT

public:
    TThreadEnumNet(std::shared_ptr<TCustomNetTreeView::Run> run, TCustomNetTreeView* tree);

protected:
    void run() override;

private:
    std::shared_ptr<TCustomNetTreeView::Run> m_run;
    TCustomNetTreeView* m_tree;
};
