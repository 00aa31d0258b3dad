#include "panes/drawsettingspane.h"

#include "engine/drawrandom.h"
#include "widgets/panefont.h"
#include "widgets/spinrow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>

namespace orbelle {

namespace {

const QString kCaption = QStringLiteral("Orbelle");
const QString kListTip =
    QStringLiteral("メニューの項目を変えるとカオスの計算式が変わり図形が大幅に変わります");

/// Bottom edge of parameter row i.
int rowBottom(int row) { return 137 + 25 * row; }

bool validRow(int row) { return row >= 0 && row < kRowCount; }

} // namespace

DrawSettingsPane::DrawSettingsPane(QWidget* parent) : SettingsPane(parent) {
    createToolFrame(10010, 20002);
    createLists();
    createButtons();
    createRows();
    const FormulaId startup{0, 0};
    m_paramCount = formulaInfo(startup).paramCount;
    applyFormulaDefaults(startup);
    applyRowLabels();
    setTabOrderTopDown();
}

void DrawSettingsPane::setTabOrderTopDown() {
    // Tab goes the way the pane reads: the two lists, the two buttons, then
    // each row's check box, edit box and slider from the top down.
    QList<QWidget*> chain{m_categories, m_formulas,
                          findChild<QWidget*>(QStringLiteral("button10030")),
                          findChild<QWidget*>(QStringLiteral("button10031"))};
    for (const Row& row : m_rows) {
        chain << row.lock << row.spin->edit() << row.spin->slider();
    }
    for (qsizetype k = 1; k < chain.size(); ++k) {
        QWidget::setTabOrder(chain[k - 1], chain[k]);
    }
}

void DrawSettingsPane::createLists() {
    m_formulas = new QComboBox(this);
    m_formulas->setObjectName(QStringLiteral("list10021"));
    m_formulas->setGeometry(paneRect(92, 80, 262, 100));
    m_categories = new QComboBox(this);
    m_categories->setObjectName(QStringLiteral("list10020"));
    m_categories->setGeometry(paneRect(10, 80, 90, 100));
    for (int category = 0; category < kCategoryCount; ++category) {
        m_categories->addItem(QString::fromStdString(categoryName(category)));
    }
    for (QComboBox* list : {m_categories, m_formulas}) {
        list->setToolTip(kListTip);
        list->setMaxVisibleItems(20);
    }
    // Only the user's choices run the handlers (also re-picking the same
    // entry, which restores the formula's defaults); programmatic selections
    // call them explicitly.
    connect(m_categories, &QComboBox::activated, this, &DrawSettingsPane::onCategoryChanged);
    connect(m_formulas, &QComboBox::activated, this, &DrawSettingsPane::onFormulaChanged);
    m_categories->setCurrentIndex(0);
    fillFormulaList(0);
}

void DrawSettingsPane::createButtons() {
    auto* draw = new QPushButton(QStringLiteral("描画"), this);
    draw->setObjectName(QStringLiteral("button10030"));
    draw->setGeometry(paneRect(10, 31, 132, 71));
    draw->setToolTip(QStringLiteral("変数(パラメータ)の値を変えず描画します"));
    connect(draw, &QPushButton::clicked, this, [this] {
        if (m_drawAction != nullptr) {
            m_drawAction->trigger();
        }
    });

    auto* random = new QPushButton(QStringLiteral("描画 ランダム"), this);
    random->setObjectName(QStringLiteral("button10031"));
    random->setGeometry(paneRect(140, 31, 262, 71));
    random->setToolTip(QStringLiteral("変数(パラメータ)の値をランダムに変えて描画します"));
    connect(random, &QPushButton::clicked, this, [this] {
        if (m_drawRandomAction != nullptr) {
            m_drawRandomAction->trigger();
        }
    });
}

void DrawSettingsPane::setDrawActions(QAction* draw, QAction* drawRandom) {
    m_drawAction = draw;
    m_drawRandomAction = drawRandom;
}

void DrawSettingsPane::createRows() {
    const QFont font = gothicFont(10);
    for (int i = 0; i < kRowCount; ++i) {
        const int y = rowBottom(i);
        Row& row = m_rows[i];

        row.lock = new QCheckBox(this);
        row.lock->setObjectName(QStringLiteral("check%1").arg(10100 + i));
        row.lock->setGeometry(paneRect(3, y - 16, 17, y - 2));

        row.label = new QLabel(this);
        row.label->setObjectName(QStringLiteral("label%1").arg(10200 + i));
        row.label->setGeometry(paneRect(17, y - 16, 65, y));
        row.label->setAlignment(Qt::AlignCenter);
        row.label->setFont(font);

        row.spin = new SpinRow(this);
        row.spin->setIds(10300 + i, 10400 + i, 10500 + i);
        row.spin->setMapping(SliderMapping::perMille());
        row.spin->setTickInterval(100);
        row.spin->edit()->setFont(font);
        row.spin->place(paneRect(65, y - 16, 101, y - 2), paneRect(101, y - 16, 113, y),
                        paneRect(116, y - 20, 273, y));
        connect(row.spin, &SpinRow::valueChanged, this, &DrawSettingsPane::notifyEdited);
        watchRelease(row.spin->slider());
    }
    m_rows[0].spin->setPartsToolTip(QStringLiteral("この値を増やせば描画される点の数が増えます"));
    m_rows[1].spin->setPartsToolTip(
        QStringLiteral("3ならば三角形、5ならば五角形、この値を増やせば丸くなります"));
}

QSize DrawSettingsPane::sizeHint() const { return QSize(280, rowBottom(kRowCount - 1) + 12); }

void DrawSettingsPane::fillFormulaList(int category) {
    m_formulas->clear();
    for (int item = 0; item < itemCount(category); ++item) {
        m_formulas->addItem(QString::fromStdString(itemName(category, item)));
    }
    m_formulas->setCurrentIndex(0);
}

void DrawSettingsPane::onCategoryChanged() {
    fillFormulaList(m_categories->currentIndex());
    onFormulaChanged();
}

void DrawSettingsPane::onFormulaChanged() {
    const FormulaId id = selectedFormula();
    if (!isValidFormula(id)) {
        return;
    }
    m_paramCount = formulaInfo(id).paramCount;
    applyFormulaDefaults(id);
    applyRowLabels();
    notifyEdited();
}

void DrawSettingsPane::applyFormulaDefaults(FormulaId id) {
    const FormulaInfo& info = formulaInfo(id);
    for (int i = 0; i < kRowCount; ++i) {
        m_rows[i].spin->setRange(info.ranges[i].min, info.ranges[i].max);
        m_rows[i].spin->setValue(info.defaults[i]);
    }
    // Guards the catalog's own consistency; never shown with the built-in data.
    for (const CatalogProblem& problem : checkCatalogEntry(id)) {
        QMessageBox::warning(this, kCaption, QString::fromStdString(problem.message));
    }
}

void DrawSettingsPane::applyRowLabels() {
    for (int i = 0; i < kRowCount; ++i) {
        setRowActive(i, i < m_paramCount);
    }
}

void DrawSettingsPane::setRowActive(int row, bool active) {
    Row& r = m_rows[row];
    if (!active) {
        r.spin->setRange(kInactiveRange.min, kInactiveRange.max);
        r.spin->setValue(0);
    }
    r.label->setText(active ? QString::fromStdString(rowLabel(row)) : QString());
    r.lock->setEnabled(active); // the tick itself is kept
    r.spin->arrows()->setEnabled(active);
    r.spin->slider()->setEnabled(active);
    r.spin->edit()->setVisible(active);
}

FormulaId DrawSettingsPane::selectedFormula() const {
    return FormulaId{m_categories->currentIndex(), m_formulas->currentIndex()};
}

void DrawSettingsPane::selectCategory(int category) {
    if (category < 0 || category >= m_categories->count()) {
        return;
    }
    m_categories->setCurrentIndex(category);
    onCategoryChanged();
}

void DrawSettingsPane::selectFormula(int item) {
    if (item < 0 || item >= m_formulas->count()) {
        return;
    }
    m_formulas->setCurrentIndex(item);
    onFormulaChanged();
}

int DrawSettingsPane::paramValue(int row) const {
    return validRow(row) ? m_rows[row].spin->value() : 0;
}

void DrawSettingsPane::setParamValue(int row, int value) {
    if (validRow(row)) {
        m_rows[row].spin->setValue(value);
    }
}

ParamRange DrawSettingsPane::paramRange(int row) const {
    if (!validRow(row)) {
        return kInactiveRange;
    }
    return ParamRange{m_rows[row].spin->minimum(), m_rows[row].spin->maximum()};
}

bool DrawSettingsPane::isRowActive(int row) const {
    return validRow(row) && !m_rows[row].label->text().isEmpty();
}

bool DrawSettingsPane::isLocked(int row) const {
    return validRow(row) && m_rows[row].lock->isChecked();
}

void DrawSettingsPane::setLocked(int row, bool locked) {
    if (validRow(row)) {
        m_rows[row].lock->setChecked(locked);
    }
}

void DrawSettingsPane::capture(DrawSettings& settings) const {
    const FormulaId id = selectedFormula();
    settings.category = id.category;
    settings.item = id.item;
    for (int i = 0; i < kRowCount; ++i) {
        settings.params[i] = paramValue(i);
        settings.paramLocked[i] = isLocked(i) ? 1 : 0;
    }
}

void DrawSettingsPane::applyFields(const DrawSettings& settings) {
    if (!isValidFormula(settings.formula())) {
        return;
    }
    selectCategory(settings.category);
    selectFormula(settings.item);
    // A row the formula does not use keeps 0 whatever the record holds, so a
    // damaged record cannot feed a value into an inactive row.
    for (int i = 0; i < kRowCount; ++i) {
        if (isRowActive(i)) {
            setParamValue(i, settings.params[i]);
        }
    }
    for (int i = 0; i < kRowCount; ++i) {
        setLocked(i, settings.paramLocked[i] != 0);
    }
}

void DrawSettingsPane::randomStep(std::uint32_t tickMs) {
    std::array<WalkRow, kRowCount> rows = walkRows();
    randomWalk(rows, tickMs);
    setWalkedRows(rows);
}

std::array<WalkRow, kRowCount> DrawSettingsPane::walkRows() const {
    std::array<WalkRow, kRowCount> rows{};
    for (int i = 0; i < kRowCount; ++i) {
        rows[i] = WalkRow{isRowActive(i), isLocked(i), paramRange(i), paramValue(i)};
    }
    return rows;
}

void DrawSettingsPane::setWalkedRows(const std::array<WalkRow, kRowCount>& rows) {
    for (int i = 0; i < kRowCount && rows[i].active; ++i) {
        if (rows[i].value != paramValue(i)) {
            setParamValue(i, rows[i].value);
        }
    }
}

} // namespace orbelle
