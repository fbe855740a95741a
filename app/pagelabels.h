#pragma once

#include <span>

// Every label of the three tab pages in one place: where it sits, what it shows before data
// arrives, the field it is bound to and what it means. The window is built from these
// tables, and the descriptions serve tooltips and screen readers.
struct PageLabel {
    enum class Kind {
        Value, // white, framed, centred; shows a placeholder until data replaces it
        Caption, // transparent, sized to its text
        WrappedCaption, // transparent, wraps inside its box
    };
    enum class In {
        Page, // tab-control coordinates, tab strip included (the row under the drawing)
        Picture, // inside the picture area's border
    };

    const char* name;
    Kind kind;
    In in;
    const char* text; // a value label's placeholder, a caption's text
    const char* field; // the bound field; nullptr for captions and the three lengths
    int left, top, width, height; // twips
    double points; // the design font's size; 0 for the window's default font
    const char* description; // what a value label shows, in words and with its symbol
};

// The labels of tab page 0, 1 or 2, back to front (a later label covers an earlier one).
std::span<const PageLabel> pageLabels(int page);
