// Reports every edit, change and click with the first form's fields as a
// query string and the element's tag name and type attribute; a submit of
// the form is reported instead of sent. Listens in the capture phase, so
// that the page's own scripts cannot hide an event from it. Runs inside the
// page channel, which gives it "sink".
function formData() {
    var form = document.forms[0];
    return form ? new URLSearchParams(new FormData(form)).toString() : "";
}
function report(event) {
    var element = event.target;
    var tag = element && element.tagName ? element.tagName : "";
    var type = element && element.getAttribute ? element.getAttribute("type") : null;
    if (event.type === "submit")
        event.preventDefault();
    sink.Post(event.type, formData(), [tag, type]);
}
["input", "change", "click", "submit"].forEach(function (type) { document.addEventListener(type, report, true); });
sink.Post("load", formData(), ["", null]);
