#include "app/regions/preview_frame.h"

#include "app/widgets/control_factory.h"
#include "app/widgets/fonts.h"
#include "app/widgets/pictures.h"
#include "editor/button_page.h"
#include "editor/preview_layout.h"

namespace vx {
namespace {

const QString kLabelDesignText = QStringLiteral(" VORLANDEX VORLANDEX VORLANDEX VORLANDEX");

void moveTo(QWidget* w, int y) { w->move(w->x(), y); }

}  // namespace

void PreviewFrame::createPreviewFrame(ControlFactory& make, const QImage& logoRaster) {
  GroupBox4 = make.frame("GroupBox4", tr("Pré-visualização da Senha"), {721, 83, 346, 508});
  // Children are created back to front.
  Label1 = make.label("Label1", ticketTitle(1), {809, 98, 240, 16});
  Label1->setFont(make.bold());
  Image5 = make.make<Image>(QStringLiteral("Image5"), {733, 116, 321, 193});
  Image5->setPicture(ticketPaperPicture());
  Image2 = make.make<Image>(QStringLiteral("Image2"), {749, kPreviewLogoTop, 289, 145});
  Image2->setPicture(logoRaster);
  Image4 = make.make<Image>(QStringLiteral("Image4"), {733, 229, 321, 145});
  Image4->setPicture(ticketPaperPicture());
  // The ticket paper stands for the whole preview; the window describes the ticket on it.
  Image4->setAccessibleName(tr("Pré-visualização da Senha"));
  const std::array<QLabel**, kLines + 1> labels = {nullptr, &Label5, &Label6,  &Label7, &Label8,
                                                   &Label9, &Label10, &Label11, &Label12};
  for (int l = 1; l <= kLines; ++l) {
    QLabel* line = make.label("", kLabelDesignText, {752, 170 + 18 * l, 280, 18});
    line->setObjectName(QStringLiteral("Label%1").arg(4 + l));
    line->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    line->setAttribute(Qt::WA_TranslucentBackground);
    line->setVisible(l == 1 || l == 8);
    // Line 1's label gets its fixed-pitch font at start-up.
    if (l > 1) line->setFont(ticketFont(8, false));
    *labels[l] = line;
    lineLabel[l] = line;
  }
  Label13 = make.label("Label13", QStringLiteral("SENHA"), {861, 259, 100, 24});
  Label13->setFont(ticketFontPixels(21, true));
  Label15 = make.label("Label15", QString(), {800, 344, 220, 17});
  Label15->setFont(ticketFontPixels(13, false));
  Image6 = make.make<Image>(QStringLiteral("Image6"), {802, 284, 185, 57});
  Image6->setPicture(sampleTicketNumberPicture());
}

void PreviewFrame::placePreview(const PreviewLayout& layout) {
  moveTo(Image4, layout.paperTop);
  for (int l = 1; l <= kLines; ++l)
    if (layout.lineTop[l]) moveTo(lineLabel[l], *layout.lineTop[l]);
  moveTo(Label13, layout.ticketWordTop);
  moveTo(Image6, layout.numberTop);
  moveTo(Label15, layout.dateTop);
  Image4->resize(Image4->width(), layout.paperHeight);
}

}  // namespace vx
