#pragma once
#include <span>
#include <string_view>

namespace rastrix::batch {

// One example of rastrix-batch at work: the one list from which the README's examples and the
// manual page's EXAMPLES are made, and which a test runs on small pictures, checking what each
// comment promises.
struct BatchExample {
    std::string_view name;     // for the test that runs it; shown nowhere
    std::string_view comment;  // what it does and gives, one paragraph
    std::string_view command;  // as typed in a shell
};

std::span<const BatchExample> BatchExamples();

}  // namespace rastrix::batch
