#pragma once

#include "model/BoardState.h"

#include <optional>
#include <string>
#include <string_view>

namespace cellarium {

// The board state file: one JSON object,
//   {"format":1,"generation":G,"highSpeed":B,"countOfRows":R,"panMode":B,
//    "view":{"zoom":Z,"offsetX":X,"offsetY":Y},"lifes":[...],"initLifes":[...]}
// with both cell sets in the pattern encoding (encodePattern), "initLifes" null
// when there is no start pattern, and "view" left out when it is unknown or not
// finite. Never fails.
std::string encodeBoardState(const BoardState& state);

// Decodes a state file. Fails as a whole (nullopt) when the bytes are not such an
// object: not JSON, another format, a member missing or of the wrong type, a
// generation below 0, a row count that is not a board size, a zoom not above 0,
// or a cell set the pattern decoding refuses. Cells lacking a coordinate are
// dropped, as for any pattern the board loads. Other members are ignored.
// Safe to call from any thread.
std::optional<BoardState> decodeBoardState(std::string_view bytes);

}  // namespace cellarium
