#pragma once
// What the WYSIWYG template editor decides, without widgets: the document
// the design view shows for a master or body template, whether the template
// survives the round trip through the browser (and may therefore be edited
// and stored), and the template's XSL for an edited design.
#include "generation/ConverterHtml2Xsl.h"

#include <string>

class TTemplateDesignModel {
public:
    enum class TState {
        Blank,     // no master or body template (or no XSL): a blank page
        Loading,   // shown, not yet checked
        Editable,  // the unedited round trip gives the same style sheet
        ReadOnly,  // it does not: shown, never stored
    };

    // Takes the template's XSL and item type; Document() is then what the view shows.
    void Load(const std::string& xsl, int itemType);
    const std::string& Document() const { return document_; }
    // Whether Document is a whole HTML document (a master template) or the
    // content of a body.
    bool WholeDocument() const;
    const std::string& Xsl() const { return xsl_; }

    // The design as the engine parsed it, before any edit: Editable when it
    // converts back into the same style sheet with nothing rejected, else
    // ReadOnly with Reason() saying why.
    void CheckRoundTrip(const TDesignNode& unedited);
    TState State() const { return state_; }
    const std::string& Reason() const { return reason_; }

    // The template's XSL for the edited design; false with Refusal saying
    // why when it cannot be stored undamaged (the template is read-only, a
    // name XSL cannot hold, a text that is no well-formed XML).
    bool Converted(const TDesignNode& edited, std::string& xsl, std::string& refusal) const;

private:
    std::string xsl_;
    int itemType_ = 0;
    std::string document_;
    TState state_ = TState::Blank;
    std::string reason_;
};
