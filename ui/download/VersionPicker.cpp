#include "VersionPicker.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTreeView>
#include <QVBoxLayout>

#include <limits>

namespace {

// Over the window below its greeting (from the top of the file frame), a
// margin in from its sides, down to the foot of the pane's frame.
constexpr int kMargin = 8;
constexpr int kTop = 72;
constexpr int kBottom = 2;

// The kinds offered, in the order of the filter's items; the last shows all.
const std::pair<const char16_t*, std::optional<VersionKind>> kKinds[] = {
    {u"正式版", VersionKind::Release},
    {u"快照", VersionKind::Snapshot},
    {u"旧测试版", VersionKind::OldBeta},
    {u"旧内测版", VersionKind::OldAlpha},
    {u"全部", std::nullopt},
};

QLabel* PlainLine(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    return label;
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

VersionPicker::VersionPicker(QWidget& parent)
    : QFrame(&parent)
    , source_(PlainLine(this))
    , kinds_(new QComboBox(this))
    , search_(new QLineEdit(this))
    , list_(new QTreeView(this))
    , line_(PlainLine(this)) {
    setObjectName(QStringLiteral("VersionPicker"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#VersionPicker { background-color: #ffffff; }"));
    setAccessibleName(QStringLiteral("版本列表"));
    setGeometry(kMargin, kTop, parent.width() - 2 * kMargin, parent.height() - kTop - kBottom);

    source_->setObjectName(QStringLiteral("VersionSource"));
    kinds_->setObjectName(QStringLiteral("VersionKinds"));
    search_->setObjectName(QStringLiteral("VersionSearch"));
    list_->setObjectName(QStringLiteral("VersionRows"));
    line_->setObjectName(QStringLiteral("VersionReason"));
    for (const auto& [name, kind] : kKinds) {
        kinds_->addItem(QString::fromUtf16(name));
    }
    kinds_->setAccessibleName(QStringLiteral("版本类型"));
    search_->setPlaceholderText(QStringLiteral("搜索版本号"));
    // As every box of the toolbox: no length limit (Qt's default stops at 32767).
    search_->setMaxLength(std::numeric_limits<int>::max());
    search_->setAccessibleName(QStringLiteral("搜索版本号"));
    list_->setModel(&model_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setAccessibleName(QStringLiteral("版本"));
    list_->header()->setSectionResizeMode(QHeaderView::Stretch);
    line_->setAlignment(Qt::AlignCenter);
    auto* closeButton = new QPushButton(QStringLiteral("关闭"), this);

    auto* bar = new QHBoxLayout;
    bar->addWidget(kinds_);
    bar->addWidget(search_, 1);
    bar->addWidget(closeButton);
    auto* column = new QVBoxLayout(this);
    column->addWidget(source_);
    column->addLayout(bar);
    column->addWidget(list_, 1);
    column->addWidget(line_, 1);

    connect(kinds_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.ShowKind(kKinds[index].second);
        CurrentToFirst();
    });
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_.Search(text);
        CurrentToFirst();
    });
    connect(list_, &QTreeView::doubleClicked, this, [this] { ChooseCurrent(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { Close(); });
    search_->installEventFilter(this);
    list_->installEventFilter(this);
    hide();
}

void VersionPicker::OpenReading(const QString& source) {
    ShowLine(QStringLiteral("正在读取版本列表…"));
    source_->setText(source);
    raise();
    show();
    search_->setFocus(Qt::OtherFocusReason);
}

void VersionPicker::ShowList(const QString& source, const QList<ListedVersion>& versions) {
    source_->setText(source);
    model_.SetVersions(versions);
    line_->hide();
    list_->show();
    CurrentToFirst();
}

void VersionPicker::ShowReason(const QString& source, const QString& reason) {
    source_->setText(source);
    model_.SetVersions({});
    ShowLine(reason);
}

void VersionPicker::ShowLine(const QString& text) {
    list_->hide();
    line_->setText(text);
    line_->setToolTip(Qt::convertFromPlainText(text));
    line_->show();
}

void VersionPicker::CurrentToFirst() {
    list_->setCurrentIndex(model_.index(0, VersionListModel::IdColumn));
}

void VersionPicker::ChooseCurrent() {
    const QString id = model_.IdAt(list_->currentIndex().row());
    if (id.isEmpty()) {
        return;
    }
    hide();
    Q_EMIT chosen(id);
}

void VersionPicker::Close() {
    hide();
    Q_EMIT closed();
}

bool VersionPicker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QFrame::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (IsEnter(key)) {
        ChooseCurrent();
        return true;
    }
    if (key == Qt::Key_Escape) {
        Close();
        return true;
    }
    // The arrows move through the list while the search box keeps the focus.
    if (watched == search_ && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        const int row = list_->currentIndex().row() + (key == Qt::Key_Down ? 1 : -1);
        if (row >= 0 && row < model_.rowCount()) {
            list_->setCurrentIndex(model_.index(row, VersionListModel::IdColumn));
        }
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void VersionPicker::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Close();
        return;
    }
    QFrame::keyPressEvent(event);
}

void VersionPicker::mousePressEvent(QMouseEvent* event) {
    event->accept();
}
