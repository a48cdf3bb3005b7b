// A first velt-script: run it with
//   velt-script --workspace examples/sample-workspace.json examples/hello.js

// The symbol tables of the workspace and their symbols.
for (var t = 1; t <= Quen.QuenTableRegGetSize(); ++t) {
    var table = Quen.QuenTableRegGetTable(t);
    var visibility = Quen.QuenTableRegIsPublic(t) ? "public" : "non-public";
    print("Table " + Quen.QuenTableGetName(table) + " (" + visibility + ")");
    for (var s = 1; s <= Quen.QuenPbDefGetSize(table); ++s) {
        var symbol = Quen.QuenPbDefGetParm(table, s);
        print("  " + Quen.QuenParmGetName(symbol) + ": " + Quen.QuenParmGetType(symbol));
    }
}

// A data item of our own: create, write, read, release.
var range = Quen.QuenRangeCreate(0, 10, 11);
Quen.QuenRangeSetStop(range, 20);
var values = Quen.QuenRangeGetValues(range); // out-arguments come back by name
print("Range " + values.start + ".." + values.stop + " in " + values.points + " points, step "
      + Quen.QuenRangeGetStep(range));
Quen.QuenDataRelease(range);

// A registered class, created by its identifier; its members are reached by name.
var selector = Velt.create("VeltEditors.SymbolSelector");
if (selector) {
    print("SymbolSelector compact: " + selector.Compact + ", separator '" + selector.Separator + "'");
    var combo = Velt.find(selector, "SymbolTableCombo");
    print("Its drop-down is " + (combo ? combo.objectName : "missing"));
}

// Errors the core shows are collected instead of popping up.
Quen.QuenDataRelease(123456);
Quen.QuenExcRegDisplayErrors();
print("Errors shown: " + Velt.shownErrors.length);
