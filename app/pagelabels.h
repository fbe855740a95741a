#pragma once

#include "dimensions.h"

#include <QString>

#include <span>

// The three tab pages: their captions and status texts, and every label on them, where it sits
// and how it looks. What a value label shows (its field, symbol and description) is its row of
// the dimension table (data/dimensions.h); the window and the start-up bench are built from these.
struct PageText {
    const char* caption; // on the tab
    const char* pageName; // object name of the page
    const char* status; // status panel 1 while the page is shown
};
// Pages 0, 1 and 2.
std::span<const PageText, 3> pageTexts();

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
    const quill::Dimension* dimension; // a value label's; nullptr for captions
    const char* text; // a caption's text; a value label's placeholder where it is not the symbol
    int left, top, width, height; // twips
    double points; // the design font's size; 0 for the window's default font

    // What the label shows before data arrives: a caption's text, a value label's placeholder.
    QString placeholder() const;
    // The field a value label is bound to; empty for captions and the three lengths.
    QString field() const;
    // What a value label shows, in words and with its symbol; empty for captions.
    QString description() const;
};

// The labels of tab page 0, 1 or 2, back to front (a later label covers an earlier one).
std::span<const PageLabel> pageLabels(int page);
