#pragma once
// Message box kinds and the answers they return, as the framework codes them.
// Plain C++: the arithmetic names its boxes with these too.

namespace core {

enum MsgKind : int {
  kMsgPlain = 0,             // OK
  kMsgOkCancel = 1,          // OK (1) / Cancel (2)
  kMsgYesNo = 36,            // question: Yes (6) / No (7)
  kMsgCaution = 48,          // caution: OK (1)
  kMsgCautionOkCancel = 49,  // caution: OK (1) / Cancel (2)
};
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

}  // namespace core
