#pragma once

// The program's help: French pages shipped inside the program, shown in a window of
// our own. One help window for the whole run, modeless, brought to the front when it
// is asked for again.
namespace lexifind::help {

// Opens the help window on its contents (the list of topics) and returns at once.
void showContents();

// Opens the topic of a context number; a number without a topic of its own shows the
// contents. The colour dialog asks for 1 to 9: its page number + 1.
void showContext(int context);

} // namespace lexifind::help
