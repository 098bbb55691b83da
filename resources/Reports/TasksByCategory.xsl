<?xml version="1.0" encoding="UTF-8"?>
<!-- The tasks of one category branch, category by category, with their
     estimations and deadlines. Texts in braces come from the report texts. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" indent="no"/>

  <xsl:param name="AffectedCategory" select="0"/>

  <xsl:key name="category" match="CATEGORY" use="@ID"/>

  <xsl:variable name="categoryId" select="number($AffectedCategory)"/>
  <xsl:variable name="chosen" select="key('category', $categoryId)[1]"/>
  <!-- No category (or one that is gone): the whole plan. -->
  <xsl:variable name="wholePlan" select="not($chosen)"/>
  <xsl:variable name="categories"
                select="$chosen/descendant-or-self::CATEGORY | /ROOT[$wholePlan]//CATEGORY"/>
  <xsl:variable name="tasks" select="$categories/TASK | /ROOT[$wholePlan]/TASK"/>

  <xsl:template match="/">
    <HTML>
      <HEAD>
        <META NAME="Report" CONTENT="{ReportTasksByCategory}"/>
        <TITLE>{ReportTasksByCategory}</TITLE>
        <STYLE>
body { font-family: "Segoe UI", Tahoma, Arial, sans-serif; font-size: 10pt; color: #222; margin: 16px 24px; }
h1 { font-size: 16pt; font-weight: normal; margin: 0 0 4px 0; }
h2 { font-size: 11pt; margin: 18px 0 4px 0; color: #1f4e79; }
p.summary { color: #555; margin: 0 0 12px 0; }
table { border-collapse: collapse; width: 100%; min-width: 60em; table-layout: fixed; }
th.task { width: 34%; }
th.status { width: 11%; }
th.importance { width: 15%; }
th.estimation { width: 12%; }
th.first { width: 14%; }
th, td { box-sizing: border-box; }
th { text-align: left; background: #e8eef5; border-bottom: 1px solid #9fb3c8; padding: 3px 6px; font-weight: 600; }
td { border-bottom: 1px solid #e2e2e2; padding: 3px 6px; vertical-align: top; }
td.number, th.number { text-align: right; }
td.number { white-space: nowrap; }
td.date { white-space: nowrap; padding-left: 14px; }
tr.completed td { color: #888; text-decoration: line-through; }
tr.total td { font-weight: 600; border-top: 1px solid #9fb3c8; border-bottom: none; }
span.i0 { color: #b00020; }
span.i2 { color: #a05a00; }
span.i3 { color: #5a6b7b; }
        </STYLE>
      </HEAD>
      <BODY>
        <H1>{ReportTasksByCategory}</H1>
        <P class="summary">
          <xsl:choose>
            <xsl:when test="$wholePlan">{AllCategories}</xsl:when>
            <xsl:otherwise>
              <xsl:text>{Category}: </xsl:text>
              <xsl:apply-templates select="$chosen" mode="path"/>
            </xsl:otherwise>
          </xsl:choose>
          <xsl:value-of select="' — '"/>
          <xsl:text>{Tasks}: </xsl:text>
          <xsl:value-of select="count($tasks)"/>
          <xsl:text>, {Estimation}: </xsl:text>
          <xsl:value-of select="format-number(sum($tasks/@ESTIMATION), '0.0')"/>
          <xsl:text>, {OpenEstimation}: </xsl:text>
          <xsl:value-of select="format-number(sum($tasks[@STATUS != 2]/@ESTIMATION), '0.0')"/>
        </P>
        <xsl:if test="$wholePlan and /ROOT/TASK">
          <H2>{NoCategory}</H2>
          <xsl:call-template name="task-table">
            <xsl:with-param name="rows" select="/ROOT/TASK"/>
          </xsl:call-template>
        </xsl:if>
        <xsl:for-each select="$categories[TASK]">
          <H2><xsl:apply-templates select="." mode="path"/></H2>
          <xsl:call-template name="task-table">
            <xsl:with-param name="rows" select="TASK"/>
          </xsl:call-template>
        </xsl:for-each>
        <xsl:if test="not($tasks)">
          <P>{NoTasks}</P>
        </xsl:if>
      </BODY>
    </HTML>
  </xsl:template>

  <!-- "Work / Clients / Acme": the names from the top of the tree down. -->
  <xsl:template match="CATEGORY" mode="path">
    <xsl:for-each select="ancestor-or-self::CATEGORY">
      <xsl:if test="position() > 1"> / </xsl:if>
      <xsl:value-of select="@NAME"/>
    </xsl:for-each>
  </xsl:template>

  <xsl:template name="task-table">
    <xsl:param name="rows"/>
    <TABLE>
      <TR>
        <TH class="task">{Task}</TH>
        <TH class="status">{Status}</TH>
        <TH class="importance">{Importance}</TH>
        <TH class="number estimation">{Estimation}</TH>
        <TH class="number first">{OriginalEstimation}</TH>
        <TH>{Deadline}</TH>
      </TR>
      <xsl:for-each select="$rows">
        <xsl:sort select="@DEADLINE"/>
        <TR>
          <xsl:if test="@STATUS = 2">
            <xsl:attribute name="class">completed</xsl:attribute>
          </xsl:if>
          <TD><xsl:value-of select="@NAME"/></TD>
          <TD>
            <xsl:choose>
              <xsl:when test="@STATUS = 1">{StatusInProgress}</xsl:when>
              <xsl:when test="@STATUS = 2">{StatusCompleted}</xsl:when>
              <xsl:otherwise>{StatusNew}</xsl:otherwise>
            </xsl:choose>
          </TD>
          <TD>
            <!-- Tasks of older plans carry no importance: they are important. -->
            <xsl:variable name="importance">
              <xsl:choose>
                <xsl:when test="@IMPORTANCE"><xsl:value-of select="@IMPORTANCE"/></xsl:when>
                <xsl:otherwise>1</xsl:otherwise>
              </xsl:choose>
            </xsl:variable>
            <SPAN class="i{$importance}">
              <xsl:choose>
                <xsl:when test="$importance = 0">{Importance0}</xsl:when>
                <xsl:when test="$importance = 2">{Importance2}</xsl:when>
                <xsl:when test="$importance = 3">{Importance3}</xsl:when>
                <xsl:otherwise>{Importance1}</xsl:otherwise>
              </xsl:choose>
            </SPAN>
          </TD>
          <TD class="number"><xsl:value-of select="format-number(sum(@ESTIMATION), '0.0')"/></TD>
          <TD class="number">
            <xsl:if test="@ORIGINALESTIMATION >= 0">
              <xsl:value-of select="format-number(@ORIGINALESTIMATION, '0.0')"/>
            </xsl:if>
          </TD>
          <TD class="date"><xsl:value-of select="@DEADLINE"/></TD>
        </TR>
      </xsl:for-each>
      <TR class="total">
        <TD colspan="3">{Total}: <xsl:value-of select="count($rows)"/></TD>
        <TD class="number"><xsl:value-of select="format-number(sum($rows/@ESTIMATION), '0.0')"/></TD>
        <TD></TD>
        <TD></TD>
      </TR>
    </TABLE>
  </xsl:template>
</xsl:stylesheet>
