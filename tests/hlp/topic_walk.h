// A small reader of the |TOPIC data the topic compiler writes, for its
// tests: unpacks the blocks, follows the TOPICLINK chain from TOPICPOS 12
// and counts TOPICOFFSETs the way the viewer does.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qy::hlp::testing {

std::uint32_t U32(std::string_view data, std::size_t at);

// Decodes the viewer's LZ77; a back reference that overlaps its own output
// (which the compiler never writes) makes it return "<overlap>".
std::string Lz77Expand(std::string_view packed);

struct WalkedLink {
  std::uint32_t pos = 0;
  std::uint32_t offset = 0;  // TOPICOFFSET as the viewer counts it
  std::uint8_t type = 0;
  std::string data1;
  std::string data2;
  std::uint32_t prev = 0;
  std::uint32_t next = 0;
};

// Every link of the chain; stops at the first inconsistency (and sets
// `error`).
std::vector<WalkedLink> WalkTopic(std::string_view topic, bool compressed, std::string* error);

// The text pieces and command bytes of a display record.
struct Display {
  unsigned topic_length = 0;
  unsigned bits = 0;
  std::vector<std::string> pieces;  // NUL-separated LinkData2 parts
  std::string commands;             // LinkData1 from the first formatting command on
};
Display ParseDisplay(const WalkedLink& link);

}  // namespace qy::hlp::testing
