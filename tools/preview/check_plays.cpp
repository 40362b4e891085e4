#include "check_plays.h"

#include "check_reading.h"

namespace preview {

namespace {

constexpr char kLeft = 'L';
constexpr char kTop = 'T';
using register_param::kHorizontalAnchor;
using register_param::kVerticalAnchor;

// The page with every registration anchored L and T; false when that changes nothing.
bool AnchoredLeftTop(Page& page) {
  bool changed = false;
  for (auto* script : {&page.Enter, &page.Resized}) {
    for (auto& line : *script) {
      if (!IsAction(line.ActionId, duduve::ActionId::RegisterObject) ||
          line.Params.size() <= kVerticalAnchor)
        continue;
      changed |= line.Params[kHorizontalAnchor] != std::string(1, kLeft) ||
                 line.Params[kVerticalAnchor] != std::string(1, kTop);
      // Assigned by count and letter: GCC 12 warns wrongly about copies of short literals.
      line.Params[kHorizontalAnchor].assign(1, kLeft);
      line.Params[kVerticalAnchor].assign(1, kTop);
    }
  }
  return changed;
}

}  // namespace

std::optional<PlayFailure> PlayForCheck(const Page& page, const std::wstring& dllPath,
                                        const std::string& fileName, CheckPlays& plays) {
  std::vector<WindowSize> sizes{{page.Width, page.Height}};
  for (const auto& shape : kCheckShapes) sizes.push_back(shape.Size);
  Page played = page;
  if (auto failure = PlayPage(played, sizes, dllPath, fileName, plays.AsWritten,
                              ActionMatch::Lenient, PlayWindow::Hidden)) {
    return failure;
  }
  // `played` has its lines matched and fitted now.
  plays.LeftTop.reset();
  if (!AnchoredLeftTop(played)) return std::nullopt;
  PreviewRun leftTop;
  if (auto failure = PlayPage(played, sizes, dllPath, fileName, leftTop, ActionMatch::Lenient,
                              PlayWindow::Hidden)) {
    return failure;
  }
  plays.LeftTop = std::move(leftTop);
  return std::nullopt;
}

std::string ShapeText(std::size_t sizeIndex) {
  const CheckShape& shape = kCheckShapes[sizeIndex - 1];
  return std::string("at ") + shape.Name + " (" + std::to_string(shape.Size.Width) + " x " +
         std::to_string(shape.Size.Height) + ")";
}

}  // namespace preview
