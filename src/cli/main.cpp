#include <cstdio>

int main() {
  std::puts("quillory-cli");
  return 0;
}
