#include "panels/right_panel_dlg.h"

#include "calc/ds_system.h"
#include "art/button_icons.h"
#include "catalogue/catalogue.h"
#include "dialogs/dlg_door_size.h"
#include "panels/chosen_system.h"
#include "panels/dlg_splitter.h"
#include "dialogs/dlg_zoom_material.h"
#include "document/order_document.h"
#include "project/order_queries.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "window/prompts.h"
#include "widgets/qt_text.h"
#include "text/format.h"
#include "panels/thumb_list.h"
#include "widgets/picture_button.h"
#include "widgets/text_label.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace dalvex::ui {
namespace {

const QColor kGrey(76, 76, 76);
const QColor kRed(250, 41, 41);
constexpr int kTabHeight = 25;
constexpr int kNoticeHeight = 60;

} // namespace

RightPanelDlg::RightPanelDlg(const UiContext& context, QWidget* parent) : Panel(context, parent) {
    // The tool dialogs belong to the main window, so that locking the panels leaves them usable.
    QWidget* owner = parent ? parent : this;
    doorSize_ = new DlgDoorSize(ctx_, owner);
    zoom_ = new DlgZoomMaterial(ctx_, owner);

    const QFont font = ctx_.buttonFont;
    auto button = [this, &font](const QString& caption, PictureButton::CaptionPlacement placement) {
        auto* b = new PictureButton(this);
        b->setCaptionFont(font);
        b->setCaption(caption, placement);
        return b;
    };
    doorParameters_ = button(QStringLiteral("Параметры дверей"), PictureButton::CaptionPlacement::Right);
    doorParameters_->setPicture(doorParametersPicture(false), doorParametersPicture(true));
    connect(doorParameters_, &QAbstractButton::clicked, this, &RightPanelDlg::openDoorParameters);
    insertSizes_ =
        button(QStringLiteral("Отображать размеры вставок"), PictureButton::CaptionPlacement::Right);
    insertSizes_->setToggle(ctx_.artwork.picture(kPictureBoxOff), ctx_.artwork.picture(kPictureBoxOn));
    connect(insertSizes_, &QAbstractButton::clicked, this, &RightPanelDlg::toggleInsertSizes);

    divider_ = button(QString(), PictureButton::CaptionPlacement::Below);
    divider_->setGeometry(20, 220, 100, 83);
    connect(divider_, &QAbstractButton::clicked, this, &RightPanelDlg::toggleSplitter);
    orientation_ =
        button(QStringLiteral("горизонтальный / вертикальный"), PictureButton::CaptionPlacement::Right);
    orientation_->setGeometry(40, 303, 210, 65);
    connect(orientation_, &QAbstractButton::clicked, this, &RightPanelDlg::orientationClicked);
    showOrientation();
    drawMode_ = button(QStringLiteral("Установить"), PictureButton::CaptionPlacement::Right);
    drawMode_->setGeometry(40, 368, 210, 65);
    connect(drawMode_, &QAbstractButton::clicked, this, &RightPanelDlg::drawModeClicked);
    drawNotice_ = button(QStringLiteral("Установка включена"), PictureButton::CaptionPlacement::Right);
    drawNotice_->setPicture(drawModePicture(true, false), drawModePicture(true, true));
    drawNotice_->hide();
    connect(drawNotice_, &QAbstractButton::clicked, this, &RightPanelDlg::drawModeClicked);
    showDrawMode();
    clear_ = button(QStringLiteral("Очистить"), PictureButton::CaptionPlacement::Right);
    clear_->setGeometry(40, 433, 210, 65);
    clear_->setPicture(clearPicture(false), clearPicture(true));
    connect(clear_, &QAbstractButton::clicked, this, &RightPanelDlg::clearSketch);

    running_ = button(QString(), PictureButton::CaptionPlacement::Below);
    running_->setGeometry(35, 220, 106, 83);
    running_->hide();
    connect(running_, &QAbstractButton::clicked, this, &RightPanelDlg::toggleRunningProfile);
    guide_ = button(QString(), PictureButton::CaptionPlacement::Below);
    guide_->setGeometry(141, 220, 104, 83);
    guide_->hide();
    connect(guide_, &QAbstractButton::clicked, this, &RightPanelDlg::toggleGuideProfile);
    showRailProfiles();
    splitter_ = new DlgSplitter(ctx_, this);

    auto label = [this](const QString& text, QPoint at) {
        auto* l = new TextLabel(text, this);
        l->setTextFont(labelFont());
        l->adjustToText();
        l->move(at);
        return l;
    };
    link_ = new TextLabel(QStringLiteral("dalvex.ru"), this);
    QFont linkFont("Arial");
    linkFont.setPointSize(14);
    linkFont.setUnderline(true);
    link_->setTextFont(linkFont);
    link_->setTextColor(QColor(95, 116, 160));
    link_->setLink(QUrl(QStringLiteral("https://dalvex.ru")));
    doorsShownLabel_ = label(QStringLiteral("Показать двери"), QPoint(10, 85));
    barLengthLabel_ = label(QStringLiteral("Длина профиля ручки"), QPoint(140, 85));
    rollerLabel_ = label(QStringLiteral("Ролики"), QPoint(10, 0));
    chooseType_ = label(QStringLiteral("Выбрать тип:"), QPoint(130, 250));
    heightOffsetLabel_ = label(QStringLiteral("Отступ высоты"), QPoint(140, 0));

    auto list = [this](void (RightPanelDlg::*chosen)(int)) {
        auto* box = new QComboBox(this);
        connect(box, &QComboBox::currentIndexChanged, this, [this, chosen](int item) {
            if (!filling_) (this->*chosen)(item);
        });
        return box;
    };
    doorsShown_ = list(&RightPanelDlg::doorsShownChosen);
    barLengths_ = list(&RightPanelDlg::barLengthChosen);
    rollers_ = list(&RightPanelDlg::rollerChosen);
    heightOffsets_ = list(&RightPanelDlg::heightOffsetChosen);
    refillLists();

    for (size_t i = 0; i < tabs_.size(); ++i) {
        tabs_[i] = button(i == 0 ? QStringLiteral("Система") : QStringLiteral("Наполнение"),
                          PictureButton::CaptionPlacement::Below);
        connect(tabs_[i], &QAbstractButton::clicked, this, [this, i] { showPage(static_cast<int>(i)); });
    }

    thumbs_ = new CThumbListCtrl(this);
    thumbs_->hide();
    connect(thumbs_, &CThumbListCtrl::picked, this, &RightPanelDlg::thumbnailPicked);
    scaling_ = button(QStringLiteral("Масштабирование изображения"), PictureButton::CaptionPlacement::Right);
    scaling_->setToggle(ctx_.artwork.picture(kPictureBoxOff), ctx_.artwork.picture(kPictureBoxOn));
    connect(scaling_, &QAbstractButton::clicked, this, &RightPanelDlg::toggleScaling);
    collections_ = list(&RightPanelDlg::collectionChosen);

    resize(kWidth, 600);
    showPage(0);

    QStringList names;
    for (const std::string& name : ctx_.project.catalogue().collectionNames())
        names << qs(name);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    {
        const QSignalBlocker quiet(collections_);
        collections_->addItems(names);
    }
    if (!names.isEmpty()) {
        collections_->setCurrentIndex(0);
        collectionChosen(0);
    }

    // The buttons follow the choices; the lists (the doors shown, pivot fittings up to two doors) every
    // calculation.
    const OrderDocument* document = ctx_.document;
    connect(document, &OrderDocument::choicesChanged, this, &RightPanelDlg::refresh);
    connect(document, &OrderDocument::recalculated, this, &RightPanelDlg::refillLists);
    connect(document, &OrderDocument::viewChanged, this, &RightPanelDlg::showView);
}

RightPanelDlg::~RightPanelDlg() = default;

void RightPanelDlg::showPage(int page) {
    page_ = page == 1 ? 1 : 0;
    for (size_t i = 0; i < tabs_.size(); ++i) {
        const bool shown = static_cast<int>(i) == page_;
        tabs_[i]->setCaptionColors(shown ? kGrey : Qt::white, shown ? kGrey : kRed);
    }
    refresh();
    layoutControls();
    update();
}

void RightPanelDlg::refresh() {
    const Project& project = ctx_.project;
    const bool system = page_ == 0;
    for (QWidget* w :
         std::initializer_list<QWidget*>{doorParameters_, doorsShownLabel_, barLengthLabel_, doorsShown_,
                                         barLengths_, insertSizes_, rollerLabel_, rollers_})
        w->setVisible(system);
    showHeightOffset();
    collections_->setVisible(!system);
    scaling_->setVisible(!system);
    thumbs_->setVisible(!system);

    const bool rails = ownOptionsOf(project) == OwnOptions::RailProfiles;
    for (QWidget* w : std::initializer_list<QWidget*>{divider_, orientation_, drawMode_, clear_, chooseType_})
        w->setVisible(system && !rails);
    running_->setVisible(system && rails);
    guide_->setVisible(system && rails);
    if (rails) {
        showRailProfiles();
    } else {
        if (const DividerProfile* d = project.dividerProfile) {
            divider_->setPicture(ctx_.artwork.picture(d->imageId));
            divider_->setCaption(qs(d->code));
        } else {
            divider_->setPicture(ctx_.artwork.picture(kPictureNone));
            divider_->setCaption(QStringLiteral("Нет"));
        }
    }
    showView();
    splitter_->selectionChanged();
}

void RightPanelDlg::showView() {
    const ViewSettings& view = ctx_.document->view();
    showOrientation();
    showDrawMode();
    insertSizes_->setChecked(view.showInsertSizes);
    scaling_->setChecked(view.scaleOnFill);
    showDoorShown();
}

void RightPanelDlg::layoutControls() {
    const int w = width();
    const int h = height();
    const int d = kListHeight;
    const int half = (w - 20) / 2 - 10;
    const int t = d + 108;
    tabs_[0]->setGeometry(1, 0, w / 2, kTabHeight);
    tabs_[1]->setGeometry(w / 2 + 1, 0, w - w / 2 - 1, kTabHeight);
    doorParameters_->setGeometry(25, 30, w - 75, 48);
    doorsShown_->setGeometry(10, 103, half, d);
    barLengths_->setGeometry((w - 20) / 2 + 10, 103, half, d);
    rollerLabel_->move(10, t);
    heightOffsetLabel_->move(140, t);
    rollers_->setGeometry(10, t + 18, half, d);
    heightOffsets_->setGeometry((w - 20) / 2 + 10, t + 18, half, d);
    insertSizes_->setGeometry(30, t + d + 23, w - 60, 27);
    collections_->setGeometry(10, 30, w - 20, d);
    scaling_->setGeometry(5, d + 35, w - 50, 25);
    // The drawing mode's notice takes the top of the thumbnails' room.
    const int notice = drawNotice_->isVisibleTo(this) ? kNoticeHeight : 0;
    drawNotice_->setGeometry(30, d + 65, w - 60, kNoticeHeight - 4);
    thumbs_->setGeometry(10, d + 65 + notice, w - 20, std::max(0, h - d - 185 - notice));
    link_->setGeometry(130, h - 43, std::max(0, w - 170), 33);
}

void RightPanelDlg::resizeEvent(QResizeEvent*) {
    layoutControls();
}

void RightPanelDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintBackground(p);
    // The tab of the other page is dark, so that its white text stands out.
    const PictureButton* other = tabs_[static_cast<size_t>(1 - page_)];
    p.fillRect(other->geometry(), QColor(150, 140, 130));
    p.fillRect(tabs_[static_cast<size_t>(page_)]->geometry(), QColor(235, 230, 220));
    const QPixmap logo = ctx_.artwork.picture(kPictureLogo);
    const QRect box = logoBox();
    if (!logo.isNull() && !box.isEmpty()) {
        // The picture's empty top rows are left out, so that the mark stands clear of the web address written
        // over the box's lower part.
        const QRect source(0, logo.height() / 6, logo.width(), logo.height() * 2 / 3);
        const QSize shown = source.size().scaled(box.size(), Qt::KeepAspectRatio);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(QRect(box.topLeft(), shown), logo, source);
    }
    p.setPen(QColor(214, 198, 181));
    p.drawLine(0, 0, 0, height());
}

QRect RightPanelDlg::logoBox() const {
    constexpr int kGap = 6;
    constexpr int kSmallest = 24; // a smaller logo could not be made out
    const QRect full(30, height() - 113, 223, 104);
    int lowest = 0;
    for (const QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != link_ && !w->isWindow() && w->isVisibleTo(this))
            lowest = std::max(lowest, w->geometry().bottom() + 1);
    if (lowest + kGap <= full.top()) return full;
    // Squeezed between the lowest control and the web address.
    const QRect left(QPoint(full.left(), lowest + kGap), QPoint(full.right(), link_->geometry().top() - 1));
    return left.height() >= kSmallest ? left : QRect();
}

} // namespace dalvex::ui
