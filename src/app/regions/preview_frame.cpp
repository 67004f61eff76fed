#include "app/regions/preview_frame.h"

#include "app/widgets/control_factory.h"
#include "app/widgets/fonts.h"
#include "app/widgets/pictures.h"
#include "editor/button_page.h"
#include "editor/preview_layout.h"

namespace vx {
namespace {

QString labelDesignText() { return QStringLiteral(" VORLANDEX VORLANDEX VORLANDEX VORLANDEX"); }

void moveTo(QWidget* w, int y) { w->move(w->x(), y); }

}  // namespace

void PreviewFrame::createPreviewFrame(ControlFactory& make, const QImage& logoRaster) {
  make.setRegion("previewGroup");
  previewGroup = make.frame("previewGroup", tr("Pré-visualização da Senha"), {721, 83, 346, 508});
  // Children are created back to front.
  previewTitleLabel = make.label("previewTitleLabel", ticketTitle(1), {809, 98, 240, 16});
  previewTitleLabel->setFont(make.bold());
  ticketPaperTop = make.make<Image>(QStringLiteral("ticketPaperTop"), {733, 116, 321, 193});
  ticketPaperTop->setPicture(ticketPaperPicture());
  logoPreview = make.make<Image>(QStringLiteral("logoPreview"), {749, kPreviewLogoTop, 289, 145});
  logoPreview->setPicture(logoRaster);
  ticketPaper = make.make<Image>(QStringLiteral("ticketPaper"), {733, 229, 321, 145});
  ticketPaper->setPicture(ticketPaperPicture());
  // The ticket paper stands for the whole preview; the window describes the ticket on it.
  ticketPaper->setAccessibleName(tr("Pré-visualização da Senha"));
  for (int l = 1; l <= kLines; ++l) {
    QLabel* line = make.label("", labelDesignText(), {752, 170 + 18 * l, 280, 18});
    line->setObjectName(QStringLiteral("previewLine%1").arg(l));
    line->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    line->setAttribute(Qt::WA_TranslucentBackground);
    line->setVisible(l == 1 || l == 8);
    // Line 1's label gets its fixed-pitch font at start-up.
    if (l > 1) line->setFont(ticketFont(8, false));
    previewLines[l] = line;
  }
  ticketWordLabel = make.label("ticketWordLabel", QStringLiteral("SENHA"), {861, 259, 100, 24});
  ticketWordLabel->setFont(ticketFontPixels(21, true));
  clockLabel = make.label("clockLabel", QString(), {800, 344, 220, 17});
  clockLabel->setFont(ticketFontPixels(13, false));
  sampleNumber = make.make<Image>(QStringLiteral("sampleNumber"), {802, 284, 185, 57});
  sampleNumber->setPicture(sampleTicketNumberPicture());
}

void PreviewFrame::placePreview(const PreviewLayout& layout) {
  moveTo(ticketPaper, layout.paperTop);
  for (int l = 1; l <= kLines; ++l)
    if (layout.lineTop[l]) moveTo(previewLines[l], *layout.lineTop[l]);
  moveTo(ticketWordLabel, layout.ticketWordTop);
  moveTo(sampleNumber, layout.numberTop);
  moveTo(clockLabel, layout.dateTop);
  ticketPaper->resize(ticketPaper->width(), layout.paperHeight);
}

}  // namespace vx
