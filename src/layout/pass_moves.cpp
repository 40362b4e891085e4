#include "layout/pass_moves.h"

#include <cstddef>
#include <limits>

namespace duduve {

namespace {

// The object pass's deferred moves. When the system refuses a move it throws the whole
// batch away, so every move queued so far is carried out at once instead, and the rest of
// the pass moves windows at once. The batch is committed on every path out.
class MoveBatch {
 public:
  MoveBatch(Context& context, std::size_t reserved, std::uint64_t generation)
      : context_(context), generation_(generation) {
    constexpr auto kMostReserved = static_cast<std::size_t>(std::numeric_limits<int>::max());
    batch_ = context_.Windows.BeginBatch(
        static_cast<int>(reserved < kMostReserved ? reserved : kMostReserved));
  }
  MoveBatch(const MoveBatch&) = delete;
  MoveBatch& operator=(const MoveBatch&) = delete;
  ~MoveBatch() {
    try {
      End();
    } catch (...) {
      // Nothing may leave a destructor.
    }
  }

  void Queue(const std::vector<WindowMove>& moves) {
    for (std::size_t i = 0; i < moves.size(); ++i) {
      if (batch_ == 0) {
        MoveNow(moves[i]);
        continue;
      }
      if (!Current()) return;
      batch_ = context_.Windows.AddToBatch(batch_, moves[i].Window, moves[i].InParent);
      if (batch_ != 0) continue;
      for (std::size_t queued = 0; queued <= i; ++queued) MoveNow(moves[queued]);
    }
  }

  // Moves at once unless host code has emptied the registry meanwhile.
  void MoveNow(const WindowMove& move) {
    if (Current()) context_.Windows.MoveNow(move.Window, move.InParent);
  }

  // Commits the batch, when there still is one.
  void End() {
    const auto batch = batch_;
    batch_ = 0;
    if (batch != 0) context_.Windows.EndBatch(batch);
  }

 private:
  bool Current() const { return context_.Registry.Objects.Generation() == generation_; }

  Context& context_;
  std::uint64_t generation_;
  WindowSystem::Batch batch_ = 0;
};

}  // namespace

void CommitPassMoves(Context& context, PassMoves& moves, std::uint64_t generation) {
  ConvertToParents(context, {&moves.Objects, &moves.Pins, &moves.Groups});
  // Sized for the whole registry, as the batch always was.
  MoveBatch batch(context, context.Registry.Objects.size(), generation);
  batch.Queue(moves.Objects);
  for (const auto& move : moves.Pins) batch.MoveNow(move);
  batch.End();
  for (const auto& move : moves.Groups) batch.MoveNow(move);
}

}  // namespace duduve
