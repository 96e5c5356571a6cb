#pragma once

namespace pelmark {

// The dialog mode of the track reader and of the one-step run: whether a file dialog may be shown when
// no track path is known yet. The numbers are part of the public interface.
enum class SCommonDialog { CommonDialog = 0, NoCommonDialog = 1 };

} // namespace pelmark
