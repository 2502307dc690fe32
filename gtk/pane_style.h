// The look of the panes' controls: compact enough for every control to take
// exactly the size of its frame (the frames were laid out for smaller
// controls than GTK's defaults), and the two text colours of static texts.
#pragma once

// Install the style for the whole screen; once per process.
void installPaneStyle();
