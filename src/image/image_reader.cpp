#include "image/image_reader.h"

namespace tagsmit {

SizeResult Unsuitable() {
  return SizeFailure("ファイルが適切ではありません");
}

}  // namespace tagsmit
