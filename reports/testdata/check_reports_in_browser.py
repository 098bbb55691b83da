#!/usr/bin/env python3
"""The shipped reports as a browser shows them.

reports_tests leaves a generated plan, the parameters it used and one HTML
file per shipped report in build/bin/report-html. Headless Chromium loads each
file; its DOM must hold the rows the plan calls for (worked out here from the
plan itself), and a picture of each page goes to build/screenshots.

    check_reports_in_browser.py <report-html folder> <screenshot folder>
"""
import html.parser
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from datetime import date, timedelta

OLE_EPOCH = date(1899, 12, 30)
PICTURE_WIDTH = 1100


def ole_date(day):
    return OLE_EPOCH + timedelta(days=day)


def minutes(text):
    hours, mins = text.split(':')
    return 60 * int(hours) + int(mins)


def hm(total):
    return '%d:%02d' % (total // 60, total % 60)


class Dom(html.parser.HTMLParser):
    """The headings and table rows of a page in document order: ('h2', text),
    ('h3', text), ('p', class, text) and ('tr', class, [cell texts])."""

    def __init__(self):
        super().__init__()
        self.items = []
        self.stack = []
        self.text = []
        self.cells = None
        self.row_class = ''
        self.p_class = ''

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag in ('h1', 'h2', 'h3', 'p', 'td', 'th', 'title'):
            self.stack.append(tag)
            self.text = []
        if tag == 'p':
            self.p_class = attrs.get('class', '')
        if tag == 'tr':
            self.cells = []
            self.row_class = attrs.get('class', '')

    def handle_endtag(self, tag):
        if self.stack and self.stack[-1] == tag:
            self.stack.pop()
            text = ' '.join(''.join(self.text).split())
            if tag in ('td', 'th') and self.cells is not None:
                self.cells.append(text)
            elif tag == 'p':
                self.items.append(('p', self.p_class, text))
            elif tag in ('h1', 'h2', 'h3', 'title'):
                self.items.append((tag, text))
        if tag == 'tr' and self.cells is not None:
            self.items.append(('tr', self.row_class, self.cells))
            self.cells = None

    def handle_data(self, data):
        if self.stack:
            self.text.append(data)


def chromium():
    for name in ('chromium', 'chromium-browser', 'google-chrome'):
        path = shutil.which(name)
        if path:
            return path
    sys.exit('no Chromium: "./quorvane.sh test" installs the chromium package')


def browse(url, *options):
    with tempfile.TemporaryDirectory() as profile:
        command = [chromium(), '--headless', '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage',
                   '--hide-scrollbars', '--user-data-dir=' + profile, *options, url]
        done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=180)
    if done.returncode != 0:
        sys.exit('chromium failed (%d) on %s' % (done.returncode, url))
    return done.stdout.decode('utf-8')


class Plan:
    def __init__(self, path):
        root = ET.parse(path).getroot()
        self.root = root
        self.tasks = {t.get('ID'): t for t in root.iter('TASK')}
        self.done_marks = {(r.get('ID'), c.get('ID')) for r in root.iter('RECURRENCE') for c in r.iter('COMPLETEDPLAN')}
        self.days = {}
        daily = root.find('DAILY')
        for day in (daily if daily is not None else []):
            self.days[day.get('DATE')] = day.findall('PLANENTRY')
        self.holidays = {h.get('DATE') for h in root.iter('HOLIDAY')}

    def is_done(self, entry):
        task = self.tasks.get(entry.get('TASKID'))
        return (task is not None and task.get('STATUS') == '2') or \
            (entry.get('TASKID'), entry.get('ID')) in self.done_marks

    @staticmethod
    def length(entry):
        return max(0, minutes(entry.get('ENDTIME')) - minutes(entry.get('STARTTIME')))

    def category(self, category_id):
        for category in self.root.iter('CATEGORY'):
            if category.get('ID') == str(category_id):
                return category
        return None


failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def check_tasks_by_category(dom, plan, parameters):
    chosen = plan.category(parameters['AffectedCategory'])
    check(chosen is not None, 'the chosen category is in the plan')
    expected = sorted(t.get('NAME') for t in chosen.iter('TASK'))
    rows = [(css, cells) for kind, css, cells in (i for i in dom if i[0] == 'tr')
            if css in ('', 'completed') and cells and cells[0] != 'Task']
    shown = sorted(cells[0] for css, cells in rows)
    check(shown == expected, 'tasks by category: %d task rows, the branch holds %d' % (len(shown), len(expected)))
    completed = sum(1 for css, cells in rows if css == 'completed')
    check(completed == sum(1 for t in chosen.iter('TASK') if t.get('STATUS') == '2'), 'tasks by category: completed rows')
    total = sum(float(t.get('ESTIMATION', '0')) for t in chosen.iter('TASK'))
    summary = next((text for kind, css, text in (i for i in dom if i[0] == 'p') if css == 'summary'), '')
    check(('Estimation (h): %.1f' % total) in summary, 'tasks by category: estimation total %.1f in "%s"' % (total, summary))
    headings = [i[1] for i in dom if i[0] == 'h2']
    with_tasks = [c for c in chosen.iter('CATEGORY') if c.findall('TASK')]
    check(len(headings) == len(with_tasks), 'tasks by category: one heading per category with tasks')


def period_days(parameters):
    first, last = int(parameters['ReportingPeriodStart']), int(parameters['ReportingPeriodEnd'])
    return [(day, ole_date(day).isoformat()) for day in range(first, last + 1)]


def clock(text, is24):
    if is24:
        return text
    hour, mins = (int(x) for x in text.split(':'))
    return '%d:%02d %s' % ((hour + 11) % 12 + 1, mins, 'am' if hour < 12 else 'pm')


def check_daily_plan(dom, plan, parameters):
    is24 = parameters['Is24HoursFormat'] == '1'
    regular = 60 * float(parameters['RegularHours'])
    # Each day's heading, then its entry rows (or "Nothing planned").
    sections = []
    for item in dom:
        if item[0] == 'h3':
            sections.append((item[1], []))
        elif item[0] == 'tr' and sections and item[2] and item[2][0] != 'Start':
            sections[-1][1].append(item[2])
    days = period_days(parameters)
    check(len(sections) == len(days), 'daily plan: %d day headings for %d days' % (len(sections), len(days)))
    weekday_names = ['Mon', 'Tue', 'Wed', 'Thu', 'Fri', 'Sat', 'Sun']
    for (day, iso), (heading, rows) in zip(days, sections):
        entries = sorted(plan.days.get(iso, []), key=lambda e: e.get('STARTTIME'))
        check(heading.startswith('%s %s' % (weekday_names[ole_date(day).weekday()], iso)), 'daily plan: heading ' + heading)
        check(len(rows) == len(entries), 'daily plan %s: %d rows for %d entries' % (iso, len(rows), len(entries)))
        if entries:
            planned = sum(Plan.length(e) for e in entries)
            share = '%d%%' % int(planned / regular * 100 + 0.5)
            check('%s h, %s of a regular day' % (hm(planned), share) in heading,
                  'daily plan %s: "%s" wants %s and %s' % (iso, heading, hm(planned), share))
        for cells, entry in zip(rows, entries):
            task = plan.tasks.get(entry.get('TASKID'))
            check(cells[0] == clock(entry.get('STARTTIME'), is24) and cells[1] == clock(entry.get('ENDTIME'), is24),
                  'daily plan %s: times %s' % (iso, cells[:2]))
            check(cells[3] == (task.get('NAME') if task is not None else 'Task removed'), 'daily plan: task ' + cells[3])
            check((cells[7] == '\u2713') == plan.is_done(entry), 'daily plan %s: done mark of %s' % (iso, cells[3]))
    weeks = [i[1] for i in dom if i[0] == 'h2']
    check(weeks and weeks[0] == 'Week from ' + days[0][1], 'daily plan: first week heading ' + str(weeks[:1]))
    check(len(weeks) == 1 + sum(1 for day, _ in days[1:] if ole_date(day).weekday() == 0),
          'daily plan: a week heading on each Monday')


def check_plan_against_reality(dom, plan, parameters):
    rows = [i for i in dom if i[0] == 'tr' and i[2] and i[2][0] != 'Day']
    days = period_days(parameters)
    day_rows = [r for r in rows if r[1] in ('', 'free')]
    check(len(day_rows) == len(days), 'plan against reality: %d day rows for %d days' % (len(day_rows), len(days)))
    regular = 60 * float(parameters['RegularHours'])
    all_planned = all_done = 0
    for (day, iso), row in zip(days, day_rows):
        entries = plan.days.get(iso, [])
        planned = sum(Plan.length(e) for e in entries)
        done = sum(Plan.length(e) for e in entries if plan.is_done(e))
        all_planned += planned
        all_done += done
        cells = row[2]
        check(cells[1:6] == [str(len(entries)), hm(planned), '%d%%' % int(planned / regular * 100 + 0.5), hm(done),
                             '%d%%' % int(done / regular * 100 + 0.5)],
              'plan against reality %s: %s' % (iso, cells[1:6]))
        check((row[1] == 'free') == (ole_date(day).weekday() >= 5 or str(day) in plan.holidays),
              'plan against reality %s: free day' % iso)
    totals = [r for r in rows if r[1] == 'period']
    check(len(totals) == 1 and totals[0][2][2] == hm(all_planned) and totals[0][2][4] == hm(all_done),
          'plan against reality: totals %s, want %s and %s' % (totals[0][2] if totals else None, hm(all_planned), hm(all_done)))
    check(len([r for r in rows if r[1] == 'week']) == 2, 'plan against reality: two week rows')
    check(all_planned > 0 and all_done > 0, 'plan against reality: the period holds planned and done time')


# Marks every table cell whose text does not fit in it at the pictures' width
# (a header running into the next one, a date cut at the window's edge).
OVERFLOW_SCRIPT = """<script>
window.addEventListener('load', function () {
  var cut = [];
  document.querySelectorAll('th, td').forEach(function (cell) {
    var box = cell.getBoundingClientRect();
    if (cell.scrollWidth > cell.clientWidth + 1 || box.right > document.documentElement.clientWidth)
      cut.push(cell.textContent.trim());
  });
  var list = document.createElement('p');
  list.className = 'cut-cells';
  list.textContent = cut.join(' | ');
  document.body.appendChild(list);
});
</script>"""


def cells_that_do_not_fit(path, width):
    with open(path, encoding='utf-16') as f:
        page = f.read().replace('charset=UTF-16', 'charset=UTF-8')
    with tempfile.TemporaryDirectory() as folder:
        copy = os.path.join(folder, 'page.htm')
        with open(copy, 'w', encoding='utf-8') as f:
            f.write(page.replace('</BODY>', OVERFLOW_SCRIPT + '</BODY>'))
        parser = Dom()
        parser.feed(browse('file://' + copy, '--dump-dom', '--window-size=%d,1400' % width))
    found = [i[2] for i in parser.items if i[0] == 'p' and i[1] == 'cut-cells']
    return found[0] if found else 'the page did not run the check'


CHECKS = {
    'TasksByCategory': check_tasks_by_category,
    'DailyPlan': check_daily_plan,
    'PlanAgainstReality': check_plan_against_reality,
}


def main():
    folder, screenshots = sys.argv[1], sys.argv[2]
    os.makedirs(screenshots, exist_ok=True)
    with open(os.path.join(folder, 'parameters.txt')) as f:
        parameters = dict(line.strip().split('=', 1) for line in f if '=' in line)
    plan = Plan(os.path.join(folder, 'plan.qvr'))
    for name, check_report in CHECKS.items():
        path = os.path.abspath(os.path.join(folder, name + '.htm'))
        if not os.path.exists(path):
            failures.append('%s is missing: run reports_tests first' % path)
            continue
        url = 'file://' + path
        parser = Dom()
        parser.feed(browse(url, '--dump-dom'))
        titles = [i[1] for i in parser.items if i[0] == 'title']
        check(titles and '{' not in titles[0], '%s: title %s' % (name, titles))
        check_report(parser.items, plan, parameters)
        cut = cells_that_do_not_fit(path, PICTURE_WIDTH)
        check(not cut, '%s: cells whose text does not fit at %d pixels: %s' % (name, PICTURE_WIDTH, cut[:300]))
        picture = os.path.join(os.path.abspath(screenshots), 'report-%s.png' % name)
        browse(url, '--screenshot=' + picture, '--window-size=%d,1400' % PICTURE_WIDTH)
        check(os.path.exists(picture), 'no picture of ' + name)
        print('%s: checked, picture %s' % (name, picture))
    for failure in failures[:40]:
        print('FAIL', failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
