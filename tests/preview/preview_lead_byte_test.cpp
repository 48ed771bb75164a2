// A lead byte at the end of a topic line must not take the paragraph mark
// with it in the preview window's document.
#include <gtest/gtest.h>

#include "preview/preview_document.h"

namespace qy {
namespace {

TEST(PreviewLeadByte, LeadByteAtALineEndIsWrittenAlone) {
  PageRecord page;
  page.Topic = "x\x81\r\ny\x93";
  EXPECT_EQ(PreviewBody(page), "x\\'81\\par\r\ny\\'93\\par");
}

}  // namespace
}  // namespace qy
