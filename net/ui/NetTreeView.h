#pragma once

#include "platform/NetworkNeighbourhood.h"

#include <QIcon>
#include <QPointer>
#include <QThread>
#include <QTreeWidget>

#include <atomic>
#include <functional>
#include <optional>

class TThreadEnumNet;

// The machine's network neighbourhood as a tree: the provider at the top, workgroups under it, computers
// under those, shared disks and printers under the computers, and the sub-directories of a share when
// it is opened. A run may enumerate on a worker at idle priority; every change to the tree is made on
// the user-interface thread while the worker waits, so the tree grows visibly and stays responsive.
class TCustomNetTreeView : public QTreeWidget {
    Q_OBJECT
    Q_PROPERTY(bool InOtherThread READ InOtherThread WRITE setInOtherThread)
    Q_PROPERTY(TResourceType ResourceType READ ResourceType WRITE setResourceType)
    Q_PROPERTY(bool AutoExpanding READ AutoExpanding WRITE setAutoExpanding)

public:
    enum TResourceType { rtProvider, rtWorkgroup, rtComputer, rtAny, rtDisk, rtPrint };
    Q_ENUM(TResourceType)

    // The node kinds, told apart by their image.
    enum Image { kProviderImage, kWorkgroupImage, kComputerImage, kShareImage, kOpenDirectoryImage };

    explicit TCustomNetTreeView(QWidget* parent = nullptr);
    // A run still in progress is stopped first, and waited for (without its OnDone).
    ~TCustomNetTreeView() override;

    // The local computer's name, stored; empty when the system has none.
    QString ComputerName();
    // The local workgroup by NetBIOS, with every blank removed, stored; empty when not found.
    QString WorkgroupName();

    void StartAnalysis();
    // With a run in progress: asks it to stop soon (OnDone still comes). Otherwise nothing.
    void StopAnalysis();
    // Stops a run in progress and waits for its end, serving its calls meanwhile (a plain wait would
    // block against a worker that waits for this thread).
    void finishAnalysis();
    bool Running() const { return m_running; }

    // Empty while running, without a selection, and for the provider and workgroup nodes.
    QString SelectedPath() const;
    // "\\COMPUTER\Share\Dir" for a node below a computer.
    static QString NodePath(const QTreeWidgetItem* node);
    static int imageOf(const QTreeWidgetItem* node);

    bool InOtherThread() const { return m_inOtherThread; }
    void setInOtherThread(bool on) { m_inOtherThread = on; }
    TResourceType ResourceType() const { return m_resourceType; }
    void setResourceType(TResourceType type) { m_resourceType = type; }
    bool AutoExpanding() const { return m_autoExpanding; }
    void setAutoExpanding(bool on) { m_autoExpanding = on; }

    // The pictures of the node kinds, by image index.
    void setImages(const QList<QIcon>& images) { m_images = images; }

    std::function<void(QObject* Sender)> OnDone;
    // Asked before a node opens (after its directories are listed); clearing the flag keeps it closed.
    std::function<void(QTreeWidgetItem* node, bool& allowExpansion)> OnExpanding;
    // Where the enumeration's error message goes (the program's information box by default).
    std::function<void(const QString& message)> OnMessage;

private:
    friend class TThreadEnumNet;

    void BuildTree();
    void enumerate(QTreeWidgetItem* parent, const std::optional<qv::platform::NetResource>& start,
                   qv::platform::ResourceKind kind);
    QTreeWidgetItem* addEntry(QTreeWidgetItem* parent, const qv::platform::NetResource& entry);
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& text, int image, int selectedImage,
                             bool expandButton);
    void copyLocalWorkgroup();
    QTreeWidgetItem* copyNode(QTreeWidgetItem* parent, const QTreeWidgetItem* original);
    void listDirectories(QTreeWidgetItem* node);
    void nodeExpanded(QTreeWidgetItem* node);
    void AnalysisDone();
    void serviceTheInterface();
    void showMessage(const QString& message);
    // Runs `change` on the user-interface thread: directly there, else waiting for it.
    void onInterface(const std::function<void()>& change);

    QString m_computerName;
    QString m_workgroupName;
    bool m_inOtherThread = true;
    TResourceType m_resourceType = rtAny;
    bool m_autoExpanding = false;
    std::atomic<bool> m_running = false;
    std::atomic<bool> m_stop = false;
    bool m_destroying = false;
    QPointer<TThreadEnumNet> m_worker;
    QList<QIcon> m_images;
    qv::platform::NetworkNeighbourhoodPointer m_neighbourhood;
};

// The registered tree class: publishes nothing more.
class TVSNetTreeView : public TCustomNetTreeView {
    Q_OBJECT

public:
    using TCustomNetTreeView::TCustomNetTreeView;
};

// One enumeration run of a tree on a thread of its own; it deletes itself when it ends.
class TThreadEnumNet : public QThread {
    Q_OBJECT

public:
    explicit TThreadEnumNet(TCustomNetTreeView& tree);

protected:
    void run() override;

private:
    TCustomNetTreeView& m_tree;
};
